#include "Manager.h"

#include "API.h"
#include "BarreMessageBoxes.h"
#include "LumaroLangue.h"
#include "ManagerEvents.h"
#include "frmClient.h"
#include "frmMedia.h"
#include "kavMsgBoxStyle.h"

#include "basalo/clsManager.h"
#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"
#include "platform/MonotonicClock.h"
#include "platform/QtTimers.h"
#include "platform/QtWindowSystem.h"
#include "toolkit/uctButton.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace lumaro {

namespace {

    const QString unitName = QStringLiteral("Manager");
    constexpr long traitementOk = basalo::enuFunctionReturnState_General_Traitement_OK;

    platform::WindowSystem& qtWindows()
    {
        static platform::QtWindowSystem windows;
        return windows;
    }

    QSize primaryScreenSize()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize(1024, 768);
    }

} // namespace

Manager::Manager(LumaroContext& context, ManagerServices services)
    : context_(context)
    , windows_(services.windows ? *services.windows : qtWindows())
    , timers_(services.timers ? *services.timers : platform::QtTimers::instance())
    , clock_(services.clock ? *services.clock : platform::SteadyClock::instance())
    , ownBoxes_(services.boxes ? nullptr : std::make_shared<BarreMessageBoxes>(context))
    , boxes_(services.boxes ? *services.boxes : *ownBoxes_)
    , screenSize_(services.screenSize ? std::move(services.screenSize) : primaryScreenSize)
    , loading_(context.trace)
    , makeMediaPlayer_(services.mediaPlayer ? std::move(services.mediaPlayer) : std::function(defaultMediaPlayer))
{
    context_.managerStarted();
}

Manager::~Manager()
{
    alive_.reset();
    setHourglass(false);
    releaseQuestionWindow();
    releaseMediaWindow();
    context_.managerEnded();
}

bool Manager::XmlModeInet() const
{
    return context_.xmlModeInet;
}
void Manager::XmlModeInet(bool value)
{
    context_.xmlModeInet = value;
}
QString Manager::XmlCheminServeur() const
{
    return context_.xmlCheminServeur;
}
void Manager::XmlCheminServeur(const QString& value)
{
    context_.xmlCheminServeur = value;
}
long Manager::StateEnCours()
{
    return context_.takeStateEnCours();
}
QString Manager::LastErrorString()
{
    return context_.lastError.takeText();
}
long Manager::LastErrorNumber()
{
    return context_.lastError.takeNumber();
}
long Manager::LevelTracelage() const
{
    return context_.levelTracelage();
}
void Manager::LevelTracelage(long level)
{
    context_.levelTracelage(level);
}
QString Manager::PathParent() const
{
    return context_.pathParent();
}
void Manager::PathParent(const QString& folder)
{
    context_.pathParent(folder);
}

bool Manager::fail(const tracel::TraceScope& scope, const platform::RuntimeError& error, long code, bool onlyOverOk)
{
    context_.lastError.store(error);
    scope.line(tracel::errorLine(error));
    if (!onlyOverOk || context_.pulStateEnCours == traitementOk)
        context_.pulStateEnCours = code;
    return false;
}

bool Manager::raise(const std::function<void(ManagerEvents&)>& raiseEvent)
{
    const std::weak_ptr<void> token = guard();
    if (events_) {
        // The host's handler is not ours to fail: what it throws stops there.
        const auto error = platform::trapError(platform::AutomationError, [&] { raiseEvent(*events_); });
        if (error && !token.expired())
            context_.trace.write(tracel::TypeClass, unitName, tracel::errorLine(*error));
    }
    return !token.expired();
}

CreateErr Manager::Create(ModeFrmAppelant ieModeFrmAppelant, const QString& sIdLangue)
{
    return CreateManager(ieModeFrmAppelant, sIdLangue) ? CreateOK : CreateErrorLangue;
}

bool Manager::CreateManager(ModeFrmAppelant ieModeFrmAppelant, const QString& sIdLangue)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function CreateManager"));
    scope.value(QStringLiteral("ieModeFrmAppelant"), QString::number(ieModeFrmAppelant));
    scope.value(QStringLiteral("sIdLangue"), sIdLangue);
    bool created = false;
    const auto error = platform::trapError(
        platform::AutomationError, [&] { created = createSession(scope, ieModeFrmAppelant, sIdLangue); });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_CreateManager_ErreurInconnue, true);
    return created;
}

bool Manager::createSession(tracel::TraceScope& scope, ModeFrmAppelant mode, const QString& sIdLangue)
{
    context_.pulStateEnCours = traitementOk;
    pieModeFrmAppelant_ = mode;
    if (mode == WithHandleFrm && pilHandleFrmAppelant_ == 0) {
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_CreateManager_ErreurHandleFrmAppelant;
        scope.line(QStringLiteral("erreur kav HandleFrmAppelant"));
        return false;
    }
    handleApplication_ = 0;

    context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_CreateManager_ErreurLangue0;
    const auto languageError = platform::trapError(platform::AutomationError, [&] {
        basalo_ = std::make_unique<basalo::clsManager>();
        langue_ = std::make_shared<LumaroLangue>();
        langue_->langue().LangueID(sIdLangue);
        langue_->langue().LNGFilePath(lngFilePath_);
        context_.langue = langue_;
    });
    if (languageError)
        return fail(scope, *languageError, context_.pulStateEnCours, false);
    context_.pulStateEnCours = traitementOk;

    // A session created again closes its first window instead of leaving it on screen.
    releaseQuestionWindow();
    piFrmBarre_ = std::make_unique<frmClient>(timers_, clock_);
    frmClient* window = piFrmBarre_.get();
    QObject::connect(
        window, &frmClient::kavBtnAideClick, window, [this] { handle([this] { piFrmBarre_kavBtnAideClick(); }); });
    QObject::connect(window, &frmClient::kavBtnVideoClick, window,
        [this](long type) { handle([this, type] { piFrmBarre_kavBtnVideoClick(type); }); });
    QObject::connect(window, &frmClient::kavbtnQuitterClick, window,
        [this] { handle([this] { piFrmBarre_kavbtnQuitterClick(); }); });
    QObject::connect(
        window, &frmClient::kavbtnRecomClick, window, [this] { handle([this] { piFrmBarre_kavbtnRecomClick(); }); });
    QObject::connect(
        window, &frmClient::kavbtnSuivClick, window, [this] { handle([this] { piFrmBarre_kavbtnSuivClick(); }); });
    QObject::connect(window, &frmClient::usrTimeBarTimeFinish, window,
        [this] { handle([this] { piFrmBarre_usrTimeBarTimeFinish(); }); });

    window->kavbtnAide()->ToolTipText(message(QStringLiteral("FRMbarre_btnaideCaption")));
    window->kavbtnQuitter()->ToolTipText(message(QStringLiteral("FRMbarre_btnquitterCaption")));
    window->kavbtnLecon()->ToolTipText(message(QStringLiteral("FRMbarre_btnleconCaption")));
    window->kavBtnCorrige()->ToolTipText(message(QStringLiteral("FRMbarre_btncorrigeCaption")));
    window->kavbtnRecom()->ToolTipText(message(QStringLiteral("FRMbarre_btnrecommencerCaption")));

    return piGereModeFrmAppelant(true);
}

bool Manager::piGereModeFrmAppelant(bool ibBeforeInitBarre)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piGereModeFrmAppelant"));
    scope.value(
        QStringLiteral("ibBeforeInitBarre"), ibBeforeInitBarre ? QStringLiteral("True") : QStringLiteral("False"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        frmClient& window = platform::require(piFrmBarre_);
        if (ibBeforeInitBarre) {
            if (pieModeFrmAppelant_ == WithoutFrm)
                windows_.setTopmost(window.windowId(), true);
            else
                windows_.setTopmost(pilHandleFrmAppelant_, true);
            const QSize screen = screenSize_();
            window.move(
                int(std::lround((screen.width() - window.width()) * 0.95)), int(std::lround(screen.height() * 0.2)));
            return;
        }
        if (pieModeFrmAppelant_ == WithHandleFrm) {
            windows_.setTopmost(pilHandleFrmAppelant_, false);
        } else if (pieModeFrmAppelant_ == WithFrm) {
            windows_.show(window.windowId());
            windows_.setTopmost(pilHandleFrmAppelant_, false);
            windows_.hide(pilHandleFrmAppelant_);
        }
    });
    if (error)
        return fail(
            scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_GereModeFrmAppelant_ErreurInconnue, false);
    return true;
}

long Manager::InitBarre(long ilQuestionDebut)
{
    return InitManager(ilQuestionDebut) ? long(InitBarreOK) : 0L;
}

bool Manager::InitManager(long ilQuestionDebut)
{
    context_.pulStateEnCours = traitementOk;
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function InitManager"));
    scope.value(QStringLiteral("ilQuestionDebut"), QString::number(ilQuestionDebut));
    const std::shared_ptr<Module> module = context_.puoModuleEnCours;
    if (!module) {
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurNoModule;
        scope.line(QStringLiteral("erreur kav puoModuleEnCours Is Nothing"));
        return false;
    }
    if ((pieModeFrmAppelant_ == WithHandleFrm || pieModeFrmAppelant_ == WithFrm) && pilHandleFrmAppelant_ == 0) {
        scope.line(QStringLiteral("erreur kav Gestion d'affichage incorrecte."));
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurFrmAppelant;
        return false;
    }

    const bool evaluation = module->TypeModule() == TYPEevaluation;
    const long nbQuestReussi = module->NbQuestReussi();
    std::vector<long> shown;
    for (long i = 1; evaluation && i <= module->NbQuest(); ++i) {
        const auto result = module->ResultQuestions(i);
        shown.push_back(result ? result->TypeAffichage() : PasDeResultat);
    }
    bool alive = true;
    bool started = false;
    const auto error = platform::trapError(
        platform::AutomationError, [&] { started = startSession(scope, ilQuestionDebut, *module, alive); });
    if (!alive)
        return started;
    if (error)
        fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurInconnue, true);
    // An evaluation that did not start leaves the module's results as it found them.
    if ((error || !started) && evaluation) {
        module->NbQuestReussi(nbQuestReussi);
        for (long i = 1; i <= long(shown.size()); ++i) {
            if (const auto result = module->ResultQuestions(i))
                result->TypeAffichage(shown[std::size_t(i - 1)]);
        }
    }
    return started && !error;
}

bool Manager::startSession(tracel::TraceScope& scope, long ilQuestionDebut, Module& module, bool& alive)
{
    if (module.TypeModule() == TYPEevaluation) {
        savedNbQuestReussi_ = module.NbQuestReussi();
        module.NbQuestReussi(0);
        // An evaluation counts what this attempt passes: the outcomes an
        // earlier attempt left are no longer shown, as at its end or abandon.
        for (long i = 1; i <= module.NbQuest(); ++i)
            platform::require(module.ResultQuestions(i)).TypeAffichage(PasDeResultat);
    }
    pilResultQuestionEnCours_ = ilQuestionDebut;
    moduleCountdownSet_ = false;

    const auto appliObject = module.Appli();
    const Appli& appli = platform::require(appliObject);
    pisCheminHtml_ = appli.PathHTML();
    pisCheminHtmlBis_ = appli.PathHTMLBis();
    pisCheminFichiers_ = appli.PathFiles();
    pisCheminFichiersBis_ = appli.PathFilesBis();
    pisPathVideo_ = appli.PathVideo();
    scope.value(QStringLiteral("pisCheminHtml"), pisCheminHtml_);
    scope.value(QStringLiteral("pisCheminHtmlBis"), pisCheminHtmlBis_);
    scope.value(QStringLiteral("pisCheminFichiers"), pisCheminFichiers_);
    scope.value(QStringLiteral("pisCheminFichiersBis"), pisCheminFichiersBis_);
    scope.value(QStringLiteral("pisPathVideo"), pisPathVideo_);
    pieModeTest_ = ModeQuestion;
    piInitBoutonsVideo(module);

    if (!piInitQuestion() || !piGereModeFrmAppelant(false)) {
        piCacherBarre();
        if ((pieModeFrmAppelant_ == WithHandleFrm || pieModeFrmAppelant_ == WithFrm) && pilHandleFrmAppelant_ > 0)
            windows_.setTopmost(pilHandleFrmAppelant_, false);
        return false;
    }
    if (handleApplication_ > 0) {
        scope.line(QStringLiteral("SetForegroundWindow(") + QString::number(handleApplication_) + QLatin1Char(')'));
        windows_.bringToTop(handleApplication_);
    }
    module.StartModule();
    alive = openLessonAutomatically(module);
    return true;
}

void Manager::piInitBoutonsVideo(Module& module)
{
    // The last question's result is validated and emptied before the session
    // starts, as stored results have always been.
    const long last = module.NbQuest();
    module.MajResultQuest(last);
    platform::require(module.ResultQuestions(last)).Vider();

    frmClient& window = platform::require(piFrmBarre_);
    for (toolkit::uctButton* button :
        {window.kavbtnAide(), window.kavbtnQuitter(), window.kavbtnRecom(), window.kavBtnPoursuivre()})
        button->setVisible(true);
    if (module.TypeModule() == TYPEevaluation) {
        window.kavBtnCorrige()->setVisible(false);
        window.kavbtnLecon()->setVisible(false);
        return;
    }
    const auto result = module.ResultQuestions(pilResultQuestionEnCours_);
    const auto question = platform::require(result).Question();
    window.kavBtnCorrige()->setVisible(platform::require(question).HasVideoCorrige());
    window.kavbtnLecon()->setVisible(question->HasVideoLecon());
}

void Manager::piCacherBarre()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Sub piCacherBarre"));
    heldByBox_ = false;
    // Each step is tried whatever the one before did.
    const platform::WindowId window = questionWindowId();
    windows_.hide(window);
    if (handleApplication_ > 0 && windows_.isVisible(handleApplication_))
        windows_.minimise(handleApplication_);
    windows_.setTopmost(window, false);
    if (pieModeFrmAppelant_ == WithFrm) {
        scope.line(QStringLiteral("pieModeFrmAppelant = WithFrm donc on SW_SHOW l'appelant"));
        scope.value(QStringLiteral("pilHandleFrmAppelant"), QString::number(pilHandleFrmAppelant_));
        windows_.show(pilHandleFrmAppelant_);
    } else if (pieModeFrmAppelant_ == WithHandleFrm) {
        scope.line(QStringLiteral("pieModeFrmAppelant = WithHandleFrm donc on BringWindowToTop l'appelant"));
        scope.value(QStringLiteral("pilHandleFrmAppelant"), QString::number(pilHandleFrmAppelant_));
        windows_.bringToTop(pilHandleFrmAppelant_);
    }
}

void Manager::Destroy()
{
    if (context_.langue == langue_)
        context_.langue.reset();
    langue_.reset();
    basalo_.reset();
    releaseQuestionWindow();
    releaseMediaWindow();
}

void Manager::releaseQuestionWindow()
{
    if (!piFrmBarre_)
        return;
    if (busy_ > 0) {
        piFrmBarre_->disconnect();
        piFrmBarre_->hide();
        retired_->windows.push_back(std::move(piFrmBarre_));
        return;
    }
    piFrmBarre_.reset();
}

Manager::Retired::~Retired()
{
    for (auto& window : windows)
        window.release()->deleteLater();
}

long Manager::AfficheMessageBoxBarre(const QString& isMessage, long iMsgBoxStyle)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function AfficheMessageBoxBarre"));
    context_.pulStateEnCours = traitementOk;
    // The host's message is not to sit beside a topmost question window.
    const platform::WindowId window = questionWindowId();
    const bool hidden = window != 0 && windows_.isVisible(window);
    if (hidden) {
        windows_.setTopmost(window, false);
        windows_.hide(window);
        heldByBox_ = true;
    }
    const std::weak_ptr<void> token = guard();
    const long result = piMessageBox(isMessage, iMsgBoxStyle);
    if (token.expired() || !hidden)
        return result;
    // Unless the session ended while the box was up, or a box inside this one already gave it back.
    if (heldByBox_ && questionWindowId() == window) {
        heldByBox_ = false;
        windows_.show(window);
        windows_.setTopmost(window, true);
    }
    return result;
}

long Manager::piMessageBox(const QString& isMessage, long iMsgBoxStyle)
{
    const auto keep = ownBoxes_;
    return puAfficheMessageBoxBarre(context_, boxes_, isMessage, iMsgBoxStyle);
}

Module* Manager::moduleEnCours() const
{
    return context_.puoModuleEnCours.get();
}

std::shared_ptr<ResultQuestion> Manager::currentResult() const
{
    const Module* module = moduleEnCours();
    return module ? module->ResultQuestions(pilResultQuestionEnCours_) : nullptr;
}

QString Manager::message(const QString& key) const
{
    return context_.message(key);
}

platform::WindowId Manager::questionWindowId() const
{
    return piFrmBarre_ ? piFrmBarre_->windowId() : 0;
}

} // namespace lumaro
