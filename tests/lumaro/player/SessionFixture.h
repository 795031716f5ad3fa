#pragma once

#include "RealEngine.h"
#include "lumaro/ModuleStartFixture.h"

#include "lumaro/player/Manager.h"
#include "lumaro/player/ManagerEvents.h"
#include "lumaro/player/frmClient.h"

#include "platform/MessageBoxes.h"
#include "platform/QtWindowSystem.h"
#include "platform/RegisteredWindow.h"
#include "support/FakeMediaPlayer.h"
#include "support/FakeTimers.h"
#include "support/RecordingManagerEvents.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace lumaro_test {

// The Qt window system, with every call written down in order under the
// names the test gives the windows ("topmost host", "hide barre"), so that a
// test sees both what was asked and what the real windows did.
class LoggingWindowSystem final : public platform::WindowSystem {
public:
    std::function<QString(platform::WindowId)> name = [](platform::WindowId id) { return QString::number(id); };
    QStringList calls;

    bool show(platform::WindowId id) override { return log("show", id, real_.show(id)); }
    bool hide(platform::WindowId id) override { return log("hide", id, real_.hide(id)); }
    bool minimise(platform::WindowId id) override { return log("minimise", id, real_.minimise(id)); }
    bool showNormal(platform::WindowId id) override { return log("showNormal", id, real_.showNormal(id)); }
    bool setTopmost(platform::WindowId id, bool topmost) override
    {
        return log(topmost ? "topmost" : "notopmost", id, real_.setTopmost(id, topmost));
    }
    bool bringToTop(platform::WindowId id) override { return log("bringToTop", id, real_.bringToTop(id)); }
    bool isVisible(platform::WindowId id) const override { return real_.isVisible(id); }
    std::vector<platform::WindowId> findByTitle(const std::function<bool(const QString&)>& matches) const override
    {
        return real_.findByTitle(matches);
    }

private:
    bool log(const char* call, platform::WindowId id, bool done)
    {
        calls << QString::fromLatin1(call) + QLatin1Char(' ') + name(id);
        return done;
    }

    platform::QtWindowSystem real_;
};

// The host's side of the events, written down.
using RecordingEvents = testsupport::RecordingManagerEvents;

// A session over a module of application 12 played on the real exercise
// engine, with a host window, the language file of the test, a 1024 x 768
// screen, fake timers and scripted message boxes.
class SessionTest : protected RealEngine, public ModuleStartTest {
protected:
    SessionTest()
    {
        playOnRealEngine(context);
        hostRegistration = std::make_unique<platform::RegisteredWindow>(host);
        host.setWindowTitle(QStringLiteral("Hôte"));
        host.resize(200, 100);
        host.show();
        windows.name = [this](platform::WindowId id) {
            if (id == hostRegistration->id())
                return QStringLiteral("host");
            if (manager && manager->questionWindow() && id == manager->questionWindow()->windowId())
                return QStringLiteral("barre");
            if (appli && id > 0 && id == appli->HandleApplicationInteractive())
                return QStringLiteral("app");
            return QString::number(id);
        };
        writeLanguage();
        appli->PathFiles(dir() + QStringLiteral("files/"));
        appli->PathFilesBis(dir() + QStringLiteral("filesbis/"));
        makeManager();
    }

    ~SessionTest() override
    {
        manager.reset();
        context.puoModuleEnCours.reset();
    }

    void makeManager()
    {
        lumaro::ManagerServices services;
        services.windows = &windows;
        services.timers = &timers;
        services.clock = &clock;
        services.boxes = &boxes;
        services.screenSize = [] { return QSize(1024, 768); };
        services.mediaPlayer = testsupport::fakeMediaPlayers(mediaPlayer);
        manager = std::make_unique<lumaro::Manager>(context, services);
        manager->setEvents(&events);
        manager->LNGFilePath(path(QStringLiteral("Lumaro.lng")));
        manager->PersonalFolder(dir() + QStringLiteral("learner/"));
    }

    void writeLanguage()
    {
        writeFile(QStringLiteral("Lumaro.lng"),
            "[Lumaro_Langue_FR]\n"
            "FRMbarre_btnaideCaption=Aide\n"
            "FRMbarre_btnquitterCaption=Quitter\n"
            "FRMbarre_btnleconCaption=Voir la leçon\n"
            "FRMbarre_btncorrigeCaption=Voir le corrigé\n"
            "FRMbarre_btnrecommencerCaption=Recommencer\n"
            "FRMbarre_btncontinuerPointSuivantCaption=Question suivante\n"
            "FRMbarre_btncontinuerCorrigePointCaption=Vérifier la réponse\n"
            "FRMbarre_NbQuestSuccess=Réussies : %1\n"
            "FRMbarre_RefQuest=Réf. %1\n"
            "FRMbarre_errReference=Erreur n° \n"
            "FRMbarre_ConfirmQuit=Quitter l'évaluation ?%1Vos réponses seront perdues.\n"
            "FRMbarre_TITREFENETREFORMATION=Formation\n"
            "FRMbarre_TempsEcoule=Temps imparti dépassé.\n"
            "FRMhtml_lblReponseBravo=Bravo !\n"
            "GENERAL_kavlblSystemeMedia=Système média\n");
    }

    // A question of the module, its result loaded as the hosts load one: no
    // outcome of this session yet (TypeReponse PasDeResultat) and the outcome
    // shown so far, PasDeResultat for a question never played.
    std::shared_ptr<lumaro::Question> addQuestion(
        long id, long instance, long dllId, const QString& nom, long shown = lumaro::PasDeResultat)
    {
        const auto question = ModuleStartTest::addQuestion(id, instance, dllId, nom);
        const auto result = module->ResultQuestions(module->NbQuest());
        result->TypeAffichage(shown);
        result->TypeReponse(lumaro::PasDeResultat);
        return question;
    }

    // A question of the module on the exercise engine, its exercise file that
    // of the instance (1 to 3 load; 9 has no file).
    std::shared_ptr<lumaro::Question> addExervaQuestion(long id, long instance, long shown = lumaro::PasDeResultat)
    {
        const auto question = addQuestion(id, instance, 1, QStringLiteral("Exerva"), shown);
        question->Intitule(QStringLiteral("Question %1").arg(id));
        return question;
    }

    void evaluation(long typeChrono, const QString& duree = QStringLiteral("0:10"))
    {
        module->TypeModule(lumaro::TYPEevaluation);
        lumaro::tGlobPropModEval props;
        props.lGPETypeChrono = typeChrono;
        module->GlobPropModEval(props);
        module->DureePrevue(duree);
    }

    bool create(lumaro::ModeFrmAppelant mode = lumaro::WithFrm)
    {
        if (mode != lumaro::WithoutFrm)
            manager->HandleFrmAppelant(hostRegistration->id());
        return manager->CreateManager(mode, QStringLiteral("FR"));
    }

    lumaro::frmClient& window() const { return *manager->questionWindow(); }

    testsupport::FakeTimers timers {clock};
    LoggingWindowSystem windows;
    platform::ScriptedMessageBoxes boxes;
    RecordingEvents events;
    // The media window's player, once the session made one.
    testsupport::FakeMediaPlayer* mediaPlayer = nullptr;
    QWidget host;
    std::unique_ptr<platform::RegisteredWindow> hostRegistration;
    std::unique_ptr<lumaro::Manager> manager;
};

} // namespace lumaro_test
