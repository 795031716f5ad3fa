#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "common/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "platform/OleDate.h"

namespace netrova {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

}  // namespace

clsBarreManager::clsBarreManager(NetrovaContext& context)
    : common::ModuleSession(context), context_(context), loading_(context.trace)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub Class_Initialize"));
}

clsBarreManager::~clsBarreManager()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub Class_Terminate"));
}

void clsBarreManager::URLDownloadRorova(const QString& value)
{
    urlDownloadRorova_ = value;
    common::puAddTrailingSlash(urlDownloadRorova_);
}

void clsBarreManager::PathDownloadRorova(const QString& value)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Property Let PathDownloadRorova"));
    pisPathDownloadRorova = value;
    common::puAddTrailingBackslash(pisPathDownloadRorova);
    scope.value(QStringLiteral("pisPathDownloadRorova"), pisPathDownloadRorova);
}

void clsBarreManager::URLAideComplementaire(const QString& value)
{
    if (!value.contains(QStringLiteral("RERA")))
        return;
    urlAideComplementaire_ = value;
    urlAideComplementaire_.remove(QStringLiteral("rera"));
}

QString clsBarreManager::LastError() const
{
    return common::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get LastError()"),
                              QStringLiteral("pusErrorDescription"), context_.pusErrorDescription);
}

long clsBarreManager::LastErrorNumber() const
{
    return common::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get LastErrorNumber()"),
                              QStringLiteral("pulErrorNumber"), context_.pulErrorNumber);
}

QString clsBarreManager::LastErrorSource() const
{
    return common::obsoleteLastErrorSource(context_.trace, moduleName);
}

long clsBarreManager::ResultQuestionForm(long liIndex)
{
    long type = 0;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            const auto module = platform::require(pioKavParc).ModuleEnCours();
            type = platform::require(platform::require(module).ResultQuestions(liIndex)).TypeAffichage();
        })) {
        context_.pulErrorNumber = error->number();
        context_.pusErrorDescription = error->text();
    }
    return type;
}

void clsBarreManager::RetourAide()
{
    // Gives the question window back after help, once the question player is part of the program.
}

bool clsBarreManager::SetDateServer(const QString& isDateServerSQL)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function SetDateServer"));
    basalo::clsManager constants(context_.basaloState);
    platform::OleDate server;
    context_.pulStateEnCours = constants.ConvertKavDblToDate(isDateServerSQL, server);
    const platform::OleDate now = platform::OleDate::fromDateTime(context_.clock().now()).value_or(platform::OleDate());
    // A text that is no date keeps the offset measured before, instead of
    // taking the whole date for an offset.
    if (context_.pulStateEnCours == OK)
        pidteDifDateServer = now.serial() - server.serial();
    QString offsetText;
    constants.ConvertDateToKavDbl(platform::OleDate(pidteDifDateServer), offsetText);
    scope.value(QStringLiteral("dteTemp"), server.toDateTime().toString(Qt::ISODate));
    scope.value(QStringLiteral("dteNow"), now.toDateTime().toString(Qt::ISODate));
    scope.value(QStringLiteral("sDateTemp"), offsetText);
    scope.value(QStringLiteral("pidteDifDateServer"), QString::number(pidteDifDateServer, 'f', 8));
    return true;
}

bool clsBarreManager::SetHandleAppelant(const QString& isTitreFenetre)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function SetHandleAppelant"));
    scope.value(QStringLiteral("isTitreFenetre"), isTitreFenetre);
    scope.value(QStringLiteral("pilHandleAppelant"), QString::number(pilHandleAppelant));
    return pilHandleAppelant != 0;
}

bool clsBarreManager::notAvailable(long stepCode, const QString& declaration)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName, declaration);
    context_.pulStateEnCours = stepCode;
    context_.recordError(platform::RuntimeError(platform::MemberNotSupported), scope);
    return false;
}

bool clsBarreManager::StartModule(long)
{
    return notAvailable(basalo::enuFunctionReturnState_Netrova_clsBarreManager_InitBarre_ErreurBarre,
                        QStringLiteral("Public Function StartModule"));
}

bool clsBarreManager::LanceSequence(long, const QString&, long, const QString&, long&)
{
    return notAvailable(basalo::enuFunctionReturnState_Netrova_clsBarreManager_InitBarre_ErreurBarre,
                        QStringLiteral("Public Function LanceSequence"));
}

bool clsBarreManager::InitUrlMedia()
{
    return notAvailable(basalo::enuFunctionReturnState_Netrova_clsBarreManager_InitUrlMedia_ErreurKavParc,
                        QStringLiteral("Public Function InitUrlMedia"));
}

bool clsBarreManager::puFindCDRom(QString&)
{
    return false;
}

bool clsBarreManager::piMajResultModule(long)
{
    return notAvailable(basalo::enuFunctionReturnState_Netrova_clsBarreManager_piMajResultModules_ErreurVB,
                        QStringLiteral("Public Function piMajResultModule"));
}

bool clsBarreManager::InitBarre(const QString&, bool ibLanceDepuisIndex)
{
    pilLanceDepuisIndex = ibLanceDepuisIndex ? -1 : 0;
    return notAvailable(basalo::enuFunctionReturnState_Netrova_clsBarreManager_InitBarre_ErreurBarre,
                        QStringLiteral("Friend Function InitBarre"));
}

bool clsBarreManager::InitVideoOnly()
{
    return notAvailable(basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurVVidora,
                        QStringLiteral("Friend Function InitVideoOnly"));
}

bool clsBarreManager::DestroyBarre()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Function DestroyBarre"));
    if (const auto model = std::exchange(pioKavParc, nullptr)) {
        if (const auto module = model->ModuleEnCours()) {
            module->Finir();
            model->Destroy();
        }
        scope.line(QStringLiteral("pioKavParc détruit"));
    }
    return true;
}

bool clsBarreManager::DestroyVideo()
{
    return true;
}

void clsBarreManager::SetinfoLog(eLocationSuivi iePkFunction, const QString& isRetour, const QString& isCommentaire)
{
    // The context outlives this object, which may end while the post waits.
    NetrovaContext& context = context_;
    const long savedState = context.pulStateEnCours;
    const long savedNumber = context.pulErrorNumber;
    const QString savedText = context.pusErrorDescription;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Sub SetinfoLog"));
    scope.value(QStringLiteral("iePkFunction"), QString::number(iePkFunction));

    QString comment;
    platform::trapError(platform::AutomationError, [&] {
        if (iePkFunction == FinStartModule) {
            const auto module = platform::require(pioKavParc).ModuleEnCours();
            const bool evaluation = platform::require(module).TypeModule() == lumaro::TYPEevaluation;
            comment = QString::number(pilIdAppli) + (evaluation ? u'E' : u'F');
        } else if (iePkFunction == PostResultErrorConnue) {
            comment = QStringLiteral("Erreur VB : ") + isRetour + QStringLiteral("<BR>")
                      + QStringLiteral("Description : ") + isCommentaire;
        } else if (iePkFunction == DebutCreate) {
            comment = QStringLiteral("Langue : ") + context.langueId;
        }
    });

    if (const auto transport = pioInetUrl) {
        const QString reply = transport->PostFormData(context.pusURLBaseServer + QStringLiteral("WS/debug/"),
                                                      QStringLiteral("netrova_addinfos"),
                                                      {{0, QStringLiteral("PkCookie"), context.pusPkCookie},
                                                       {1, QStringLiteral("PkFunction"), QString::number(iePkFunction)},
                                                       {2, QStringLiteral("PkReturn"), QString::number(savedState)},
                                                       {3, QStringLiteral("Commentaires"), comment}});
        scope.value(QStringLiteral("sDataRetour"), reply);
    }
    // Tracking only reports: the caller's step code and error stand.
    context.pulStateEnCours = savedState;
    context.pulErrorNumber = savedNumber;
    context.pusErrorDescription = savedText;
}

}  // namespace netrova
