#pragma once

#include "pelago/CommonData.h"
#include "pelago/QuestionPlayer.h"
#include "pelago/clsBarreManager.h"
#include "pelago/clsManager.h"

#include "support/FakeHacpSystem.h"
#include "support/FakeTimers.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"

#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/player/ManagerEvents.h"
#include "platform/MessageBoxes.h"

#include <QFile>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

namespace pelagotest {

// What the launcher did to the question players it made, in order.
struct PlayerLog {
    QStringList calls;
    // CreateManager answers False for these languages.
    QStringList failingLanguages;
    bool initManagerSucceeds = true;
    // What the launcher handed the player for the run.
    QVariantMap settings;
    QList<long> percents;
    QStringList boxes;
    // Where the player's events go.
    lumaro::ManagerEvents* events = nullptr;
};

// A question player that records what the launcher asks of it.
class FakePlayer final : public pelago::QuestionPlayer {
public:
    explicit FakePlayer(std::shared_ptr<PlayerLog> log) : log_(std::move(log)) {}

    void LNGFilePath(const QString&) override {}
    void PathParent(const QString&) override {}
    void LevelTracelage(long) override {}
    bool CreateManager(bool, const QString& langue) override
    {
        log_->calls.append(QStringLiteral("CreateManager ") + langue);
        return !log_->failingLanguages.contains(langue);
    }
    long StateEnCours() override { return 4242; }
    QString LastErrorString() override { return QStringLiteral("langue absente"); }
    long LastErrorNumber() override { return 53; }
    bool Destroy() override
    {
        log_->calls.append(QStringLiteral("Destroy"));
        return true;
    }
    void PrepareFrmLoading(const QString& type) override { log_->calls.append(QStringLiteral("PrepareFrmLoading ") + type); }
    void SetMessageLoading(const QString& text) override { log_->calls.append(QStringLiteral("SetMessageLoading ") + text); }
    void SetPourcentLoading(long percent) override { log_->percents.append(percent); }
    void TerminateFrmLoading() override { log_->calls.append(QStringLiteral("TerminateFrmLoading")); }
    void setEvents(lumaro::ManagerEvents* events) override { log_->events = events; }
    void ModeMediaInet(bool value) override { log_->settings[QStringLiteral("ModeMediaInet")] = value; }
    void ExtensionVideo(const QString& value) override { log_->settings[QStringLiteral("ExtensionVideo")] = value; }
    void PersonalFolder(const QString& value) override { log_->settings[QStringLiteral("PersonalFolder")] = value; }
    void AutoMediaPoint(long value) override { log_->settings[QStringLiteral("AutoMediaPoint")] = qlonglong(value); }
    void URLServerHelpFile(const QString& value) override { log_->settings[QStringLiteral("URLServerHelpFile")] = value; }
    void XmlCheminServeur(const QString& value) override { log_->settings[QStringLiteral("XmlCheminServeur")] = value; }
    void XmlModeInet(bool value) override { log_->settings[QStringLiteral("XmlModeInet")] = value; }
    bool InitManager(long first) override
    {
        log_->calls.append(QStringLiteral("InitManager ") + QString::number(first));
        return log_->initManagerSucceeds;
    }
    void CacherBarrePourVideo() override { log_->calls.append(QStringLiteral("CacherBarrePourVideo")); }
    void RetourAfficherVideo() override { log_->calls.append(QStringLiteral("RetourAfficherVideo")); }
    long AfficheMessageBoxBarre(const QString& text, long style) override
    {
        log_->boxes.append(text + QStringLiteral(" / ") + QString::number(style));
        return 1;
    }

private:
    std::shared_ptr<PlayerLog> log_;
};

// A launcher on a fresh process state with a manual clock and fake timers, a
// fake learning management system, scripted message boxes, a language file
// and registry in the test's folder, and fake question players.
class PelagoTest : public testsupport::TempDirTest {
protected:
    static constexpr const char* langue = "1036";

    void SetUp() override
    {
        writeFile(QStringLiteral("program/kavplugin.lng"),
                  "[Pelago_Langue_1036]\nMESSAGE_ErrOccuppe=Une formation est déjà en cours.\n"
                  "MESSAGE_Loading2=Enregistrement du résultat...\n"
                  "[Pelago_Langue_1033]\nMESSAGE_ErrOccuppe=A course is already running.\n");
        data_.languageFolder = path(QStringLiteral("program"));
        data_.traceRoot = path(QStringLiteral("traces"));
        data_.createRegistry = [this] {
            return std::make_shared<toolkit::KavReg>(toolkit::KavReg::Files{
                path(QStringLiteral("registry/user.ini")), path(QStringLiteral("registry/machine.ini"))});
        };
        data_.createPlayer = [this]() -> std::unique_ptr<pelago::QuestionPlayer> {
            return std::make_unique<FakePlayer>(players_);
        };
        data_.endProcess = [this] { ++processEnds_; };
        data_.messageBoxes = &boxes_;
        data_.requestTimeout = std::chrono::milliseconds(1500);
        data_.requestStallTime = std::chrono::milliseconds(1500);
        manager_ = std::make_unique<pelago::clsManager>(data_);
    }

    void TearDown() override
    {
        lms_.server().endDelays();
        manager_.reset();
    }

    pelago::clsBarreManager& barre() { return *manager_->BarreManager(); }

    // Starts the launcher and points the session at the fake system.
    void start(const QString& method = QStringLiteral("post"))
    {
        ASSERT_TRUE(manager_->AskStart(QString::fromLatin1(langue), QStringLiteral("00:10:00")));
        configure(method);
    }
    void configure(const QString& method)
    {
        barre().Method(method);
        barre().AiccUrl(lms_.address());
        barre().AiccSid(QStringLiteral("SID-7"));
        barre().CfgSite(QStringLiteral("site1"));
        barre().CfgBdd(QStringLiteral("bdd1"));
        barre().NoteMaxAicc(QStringLiteral("20"));
    }

    // A module of that many questions in the course model, that many passed.
    std::shared_ptr<lumaro::Module> makeModule(long questions, long passed)
    {
        auto& model = *barre().pioKavParc;
        EXPECT_TRUE(model.CreateModule());
        if (!model.Appli(12)) {
            EXPECT_TRUE(model.AddAppli(12));
        }
        const auto module = model.ModuleEnCours();
        module->Appli(model.Appli(12));
        for (long id = 1; id <= questions; ++id)
            module->AddResultQuestion(100 + id);
        module->NbQuestReussi(passed);
        return module;
    }

    // Lets the whole end of a run pass: the delays and a tick each.
    void runToEnd() { clock_.advanceSeconds(20); }

    QString traceText() const { return traceTextUnder(QStringLiteral("traces")); }

    testsupport::ManualClock clock_;
    testsupport::FakeTimers timers_{clock_};
    pelago::CommonData data_{timers_, clock_, clock_};
    testsupport::FakeHacpSystem lms_;
    platform::ScriptedMessageBoxes boxes_;
    std::shared_ptr<PlayerLog> players_ = std::make_shared<PlayerLog>();
    int processEnds_ = 0;
    std::unique_ptr<pelago::clsManager> manager_;
};

}  // namespace pelagotest
