// Starting a question: the countdown, the learner's work files, the exercise,
// the question window's contents and layout.

#include "Manager.h"

#include "PageAddress.h"
#include "frmClient.h"
#include "usrTimeBar.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "platform/Paths.h"
#include "toolkit/uctButton.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>
#include <QUrl>
#include <QWebEngineView>

#include <limits>

namespace lumaro {

namespace {

    const QString unitName = QStringLiteral("Manager");
    constexpr long traitementOk = basalo::enuFunctionReturnState_General_Traitement_OK;

    // Copies through a temporary file beside the destination and a rename, so
    // that the destination is either the old file, whole, or the new one.
    void copyReplacing(const QString& source, const QString& destination)
    {
        QFile in(platform::paths::findExisting(source));
        if (!in.open(QIODevice::ReadOnly))
            throw platform::RuntimeError(platform::FileNotFound, source);
        QSaveFile out(destination);
        if (!out.open(QIODevice::WriteOnly))
            throw platform::RuntimeError(platform::BadFileName, destination);
        char buffer[64 * 1024];
        for (;;) {
            const qint64 read = in.read(buffer, sizeof buffer);
            if (read < 0)
                throw platform::RuntimeError(platform::FileNotFound, source);
            if (read == 0)
                break;
            if (out.write(buffer, read) != read)
                throw platform::RuntimeError(platform::BadFileName, destination);
        }
        if (!out.commit())
            throw platform::RuntimeError(platform::BadFileName, destination);
    }

} // namespace

bool Manager::piInitQuestion()
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piInitQuestion"));
    bool started = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        Module& module = platform::require(moduleEnCours());
        const bool evaluation = module.TypeModule() == TYPEevaluation;
        if (evaluation && !GereTimeBar(module))
            return;
        if (!piGereCopiesLocales(module))
            return;
        if (!module.InitInterractif(pilResultQuestionEnCours_, pisPersonalFolder_))
            return;
        const auto appli = module.Appli();
        const platform::WindowId previous = handleApplication_;
        handleApplication_ = platform::require(appli).HandleApplicationInteractive();
        // A question of another exercise component has a window of its own:
        // the previous component's, emptied, does not stay behind it.
        if (previous > 0 && previous != handleApplication_)
            windows_.hide(previous);
        if (!piGereAffichageQuestion(module))
            return;

        frmClient& window = platform::require(piFrmBarre_);
        if (evaluation) {
            dressPoursuivre(true);
            window.timeBar()->ChronoStart();
        } else {
            const auto question = platform::require(currentResult()).Question();
            window.kavbtnLecon()->setVisible(platform::require(question).HasVideoLecon());
            window.kavBtnCorrige()->setVisible(false);
            dressPoursuivre(false);
        }
        if (handleApplication_ > 0) {
            scope.line(QStringLiteral("SetForegroundWindow(") + QString::number(handleApplication_) + QLatin1Char(')'));
            windows_.bringToTop(handleApplication_);
        }
        started = true;
    });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piInitQuestion_ErreurInconnue, true);
    return started;
}

void Manager::dressPoursuivre(bool nextQuestion)
{
    frmClient& window = platform::require(piFrmBarre_);
    const auto& pictures = nextQuestion ? window.imgBtnPoursuivre1() : window.imgBtnPoursuivre2();
    toolkit::uctButton* button = window.kavBtnPoursuivre();
    button->PictureDOWN(pictures.value(QStringLiteral("Down")));
    button->PictureUP(pictures.value(QStringLiteral("Up")));
    button->PictureDISABLED(pictures.value(QStringLiteral("Disabled")));
    button->ToolTipText(message(nextQuestion ? QStringLiteral("FRMbarre_btncontinuerPointSuivantCaption")
                                             : QStringLiteral("FRMbarre_btncontinuerCorrigePointCaption")));
}

bool Manager::GereTimeBar(Module& module)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function GereTimeBar"));
    bool done = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        usrTimeBar& bar = *platform::require(piFrmBarre_).timeBar();
        QString duration;
        switch (module.GlobPropModEval().lGPETypeChrono) {
        case 1:
            scope.line(QStringLiteral("Aucun chrono"));
            bar.hide();
            done = true;
            return;
        case 2:
            scope.line(QStringLiteral("Chrono Module"));
            if (pilResultQuestionEnCours_ == 1)
                scope.line(QStringLiteral("Première question"));
            // One countdown for the whole module, from the first question this
            // session starts, whichever it is; a restart does not set it again.
            if (moduleCountdownSet_) {
                done = true;
                return;
            }
            duration = module.DureePrevue();
            break;
        case 3:
            scope.line(QStringLiteral("Chrono question"));
            duration = platform::require(platform::require(currentResult()).Question()).DureePrevue();
            break;
        default:
            context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_GereTimeBar_ErreurBadType;
            return;
        }
        bar.show();
        long seconds = 0;
        if (!piConvertTime(duration, seconds))
            return;
        const long remembered = context_.pulStateEnCours;
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_GereTimeBar_usrTimeBar;
        bar.Reset();
        bar.SetTimeBar(seconds);
        context_.pulStateEnCours = remembered;
        moduleCountdownSet_ = true;
        done = true;
    });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_GereTimeBar_ErreurInconnue, true);
    return done;
}

bool Manager::piConvertTime(const QString& siTime, long& iolReturnValue)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piConvertTime"));
    scope.value(QStringLiteral("siTime"), siTime);
    const qsizetype colon = siTime.indexOf(u':');
    bool hoursOk = false;
    bool minutesOk = false;
    const qint64 hours = colon < 0 ? 0 : siTime.left(colon).trimmed().toLongLong(&hoursOk);
    const qint64 minutes = colon < 0 ? 0 : siTime.mid(colon + 1).trimmed().toLongLong(&minutesOk);
    const qint64 seconds = hours * 3600 + minutes * 60;
    if (!hoursOk || !minutesOk || hours < 0 || minutes < 0 || hours > 1000000 || minutes > 1000000
        || seconds > std::numeric_limits<std::int32_t>::max()) {
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_piConvertTime_ErreurInconnue;
        context_.lastError.store(platform::RuntimeError(platform::TypeMismatch));
        scope.line(tracel::errorLine(platform::RuntimeError(platform::TypeMismatch)));
        return false;
    }
    iolReturnValue = long(seconds);
    scope.value(QStringLiteral("iolReturnValue"), QString::number(iolReturnValue));
    return true;
}

bool Manager::piGereCopiesLocales(Module& module)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piGereCopiesLocales"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        scope.value(QStringLiteral("pisPersonalFolder"), pisPersonalFolder_);
        const auto question = platform::require(module.ResultQuestions(pilResultQuestionEnCours_)).Question();
        const Question& current = platform::require(question);
        // Without a learner's folder there is nowhere to copy to, which only
        // matters to a question that has files (an empty folder would have
        // meant the working folder, wherever that is).
        if (pisPersonalFolder_.isEmpty()) {
            if (current.NbFichiersAssocie() > 0)
                throw platform::RuntimeError(platform::BadFileName, QStringLiteral("PersonalFolder"));
            return;
        }
        const QString folder = platform::paths::fromData(pisPersonalFolder_);
        const qsizetype lastSeparator = folder.lastIndexOf(platform::paths::separator);
        if (lastSeparator > 0 && !QDir().mkpath(folder.left(lastSeparator)))
            throw platform::RuntimeError(platform::BadFileName, folder);

        const QString& sourceFolder = current.BaseBis() == QuestionBase ? pisCheminFichiers_ : pisCheminFichiersBis_;
        for (long i = 1; i <= current.NbFichiersAssocie(); ++i) {
            const QString file = current.FichierAssocie(i);
            // The name comes from the course data: a file of the application's
            // folder, maybe in a sub-folder of it, copied to the same place
            // under the learner's folder; nothing that leaves either.
            const QString name = platform::paths::fromData(file);
            if (!platform::paths::staysInside(file) || name.endsWith(platform::paths::separator)
                || QFileInfo(name).fileName() == QLatin1String("."))
                throw platform::RuntimeError(platform::BadFileName, file);
            const QString destination = folder + name;
            scope.line(QStringLiteral("Kill ") + pisPersonalFolder_ + file);
            const QString source = platform::paths::fromData(sourceFolder) + name;
            scope.line(QStringLiteral("FileCopy ") + source + QStringLiteral(", ") + destination);
            if (!QDir().mkpath(QFileInfo(destination).path()))
                throw platform::RuntimeError(platform::BadFileName, destination);
            copyReplacing(source, destination);
        }
    });
    if (error)
        return fail(
            scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_GereCopiesLocales_ErreurInconnue, false);
    return true;
}

bool Manager::piGereAffichageQuestion(Module& module)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piGereAffichageQuestion"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        frmClient& window = platform::require(piFrmBarre_);
        const auto questionObject = platform::require(currentResult()).Question();
        const Question& question = platform::require(questionObject);

        if (module.GlobPropModEval().bGPEVisuNote) {
            window.lblRepOk()->setText(message(QStringLiteral("FRMbarre_NbQuestSuccess"))
                                           .replace(QStringLiteral("%1"), QString::number(module.NbQuestReussi())));
            window.lblRepOk()->show();
        }
        window.RefQuestion(message(QStringLiteral("FRMbarre_RefQuest"))
                               .replace(QStringLiteral("%1"), QString::number(question.IdQuestion())));
        window.lblNumQuestion()->setText(
            QString::number(pilResultQuestionEnCours_) + QLatin1Char('/') + QString::number(module.NbQuest()));
        if (module.TypeModule() != TYPEevaluation) {
            window.timeBar()->hide();
            window.kavbtnLecon()->setVisible(question.HasVideoLecon());
            window.kavBtnCorrige()->setVisible(question.HasVideoCorrige());
        } else {
            window.kavbtnLecon()->hide();
            window.kavBtnCorrige()->hide();
        }

        const long typeDll = platform::require(question.Dll()).TypeDll();
        scope.value(QStringLiteral(".Dll.TypeDll"), QString::number(typeDll));
        const bool interactive = typeDll == 1;
        if (interactive) {
            const QString& folder = question.BaseBis() == QuestionBase ? pisCheminHtml_ : pisCheminHtmlBis_;
            const QUrl address = pageAddress(folder, question.HtmlQuestion());
            window.WebBrowser()->show();
            window.WebBrowser()->setUrl(address);
        } else {
            window.WebBrowser()->hide();
        }
        const int feedbackTop = interactive ? 245 : 93;
        const int buttonsTop = interactive ? 200 : 46;
        const int smallButtonsTop = interactive ? 214 : 60;
        for (QWidget* feedback :
            {static_cast<QWidget*>(window.WebBrowserReponse()), static_cast<QWidget*>(window.ImageCloud()),
                static_cast<QWidget*>(window.ImageVictory()), static_cast<QWidget*>(window.lblReponse())})
            feedback->move(feedback->x(), feedbackTop);
        for (QWidget* button : {static_cast<QWidget*>(window.kavBtnCorrige()),
                 static_cast<QWidget*>(window.kavbtnLecon()), static_cast<QWidget*>(window.kavBtnPoursuivre()),
                 static_cast<QWidget*>(window.timeBar()), static_cast<QWidget*>(window.kavbtnRecom())})
            button->move(button->x(), buttonsTop);
        window.kavbtnQuitter()->move(window.kavbtnQuitter()->x(), smallButtonsTop);
        window.kavbtnAide()->move(window.kavbtnAide()->x(), smallButtonsTop);
        window.lblRefQuestion()->move(window.lblRefQuestion()->x(), interactive ? 232 : 78);
        window.lblNumQuestion()->move(window.lblNumQuestion()->x(), interactive ? 205 : 51);
        window.lblRepOk()->move(window.lblRepOk()->x(), interactive ? 198 : 44);
        window.setFixedHeight(interactive ? 244 : 90);
        window.showBackground(interactive ? QStringLiteral("Interactif_Q") : QStringLiteral("Exerva_Q"));
        for (QWidget* feedback : {static_cast<QWidget*>(window.ImageCloud()),
                 static_cast<QWidget*>(window.ImageVictory()), static_cast<QWidget*>(window.lblReponse()),
                 static_cast<QWidget*>(window.lblFond()), static_cast<QWidget*>(window.WebBrowserReponse())})
            feedback->hide();

        window.Title(question.Intitule());
        scope.line(QStringLiteral("avant piFrmBarre.Show"));
        windows_.show(window.windowId());
        scope.line(QStringLiteral("après piFrmBarre.Show piFrmBarre.hwnd = ") + QString::number(window.windowId()));
    });
    if (error)
        return fail(
            scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piGereAffichageQuestion_ErreurInconnue, true);
    return true;
}

} // namespace lumaro
