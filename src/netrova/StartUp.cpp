// The one-call start of the plug-in: the objects, the start-up record, the
// language file and the module.

#include "StartRecord.h"
#include "clsBarreManager.h"
#include "clsInetUPL.h"
#include "clsManager.h"

#include "toolkit/ReplyRecords.h"
#include "toolkit/WebAddress.h"
#include "toolkit/modGereFich.h"

#include "basalo/Enumerations.h"
#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"

#include <QDir>
#include <QPointer>
#include <QTemporaryFile>

#include <filesystem>

namespace netrova {
namespace {

const QString moduleName = QStringLiteral("clsManager");
constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;
constexpr long Unreadable = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurLangue;
constexpr int maxRequests = 5;

// Asks for the page until it answers something, five times at most; "" when
// it never did, with the last request's result in lastResult. The transport is
// held here, since the page may release the plug-in's objects while a request waits.
QString requestUntilAnswered(const std::shared_ptr<clsInetUPL> transport, const QUrl& address, long& lastResult)
{
    QString reply;
    for (int i = 0; i < maxRequests && reply.trimmed().isEmpty(); ++i)
        lastResult = platform::require(transport).GetInetData65x(reply, address);
    return reply;
}

}  // namespace

long clsManager::InitPlugin(const QString& siSessionID, const QString& siURL, long liIdQuestion)
{
    const QPointer<clsManager> self(this);
    NetrovaContext& context = context_;
    // The server and the session are known before the first tracking post goes out.
    context.pusURLBaseServer = siURL;
    context.pusPkCookie = siSessionID;
    long result = piInitObjects();
    if (!self || result != OK)
        return self ? result : Unreadable;

    long received = OK;
    const QString record = requestUntilAnswered(
        pioInetUrl_,
        toolkit::withQuery(context.pusURLBaseServer + QStringLiteral("WS/initplugin.aspx"),
                           {{QStringLiteral("sessionid"), siSessionID}}),
        received);
    if (!self)
        return Unreadable;
    if (record.trimmed().isEmpty() && received != OK) {
        // The transport's words say why nothing came.
        context.pusErrorDescription =
            QStringLiteral("Enregistrement de démarrage non reçu : ") + context.pusErrorDescription;
        return Unreadable;
    }
    result = piReadStartRecord(record);
    if (!self || result != OK)
        return self ? result : Unreadable;

    const auto barre = pioBarreManager_;
    if (!barre)
        return Unreadable;
    if (barre->StartModule(liIdQuestion))
        return OK;
    return context.failedStep(basalo::enuFunctionReturnState_Netrova_clsBarreManager_StartModule_ErreurInconnue);
}

long clsManager::piInitObjects()
{
    const QPointer<clsManager> self(this);
    NetrovaContext& context = context_;
    long result = OK;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piInitObjects"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        toolkit::puAddTrailingSlash(context.pusURLBaseServer);
        scope.value(QStringLiteral("pusURLBaseServer"), context.pusURLBaseServer);
        constants_ = std::make_unique<basalo::clsManager>(context.basaloState);
        if (!buildObjects(scope, result))
            return;
        scope.line(QStringLiteral("Chargement de la langue"));
        scope.line(QStringLiteral("ModeInterractif"));
        result = OK;
    });
    if (!error)
        return result;
    // A failure names its step: the registry's, else the building of the objects.
    if (result == OK)
        result = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurInconnue;
    context.recordError(*error, scope);
    if (self)
        track(FinCreateErrorVB);
    return result;
}

long clsManager::piReadStartRecord(const QString& record)
{
    const QPointer<clsManager> self(this);
    NetrovaContext& context = context_;
    long result = Unreadable;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piReadStartRecord"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const toolkit::ReplyRecords serverReply(record.trimmed());
        if (serverReply.status() == toolkit::ReplyStatus::Error) {
            // The server refused the session in its own words.
            toolkit::ReplyError refusal;
            platform::trapError(platform::AutomationError, [&] { refusal = serverReply.error(); });
            if (refusal.text.isEmpty())
                refusal.text = record.trimmed();
            throw platform::RuntimeError(refusal.number, refusal.text);
        }
        const basalo::clsManager& constants = platform::require(constants_);
        const StartRecord fields(record, constants.ConstanteValue(basalo::enuConstantesList_InfosGeneralSeparator));
        const auto barre = pioBarreManager_;
        clsBarreManager& session = platform::require(barre);

        context.langueId = fields.text(24);
        fields.wholeNumber(0);
        context.pusURLBaseDownloadFiles = fields.text(25);
        serverLanguageVersion_ = fields.text(13);
        context.VersionSystem = fields.text(20);
        context.VersionBdd = fields.text(19);

        session.HasLecon(false);
        session.HasCorrige(false);
        session.AutoMediaPoint(0);
        const long options = fields.wholeNumber(6);
        if (options & 8)
            session.HasLecon(true);
        if (options & 4)
            session.HasCorrige(true);
        if (options & 2)
            session.AutoMediaPoint(1);
        session.VisuNote(fields.boolean(26));
        session.VisuResultat(fields.boolean(27));
        session.IdAppli(fields.wholeNumber(1));
        session.PersonalFolder(confinedPersonalFolder(fields.text(3), context.homeFolder, scope));
        session.ExtensionFichierVideo(fields.text(7));
        session.IdUser(fields.wholeNumber(18));
        session.IdParcours(fields.wholeNumber(14));
        session.DureePrevueParcours(fields.text(16));
        session.DureePrevueModule(fields.text(12));
        session.NomAppli(fields.text(2));
        session.TypeFormEval(fields.text(17));
        session.TypeChrono(fields.wholeNumber(22));
        session.IdModule(fields.wholeNumber(10));
        session.NbQuestionReussiDuParcours(fields.wholeNumber(15));
        session.NbQuestionReussiDuModule(fields.wholeNumber(11));
        session.WidthViewer(9600);
        session.HeightViewer(7200);

        const QString media = fields.text(8);
        const QString appli = QString::number(session.IdAppli()) + session.TypeFormEval();
        switch (fields.wholeNumber(9)) {
            case 1: {
                session.MediaOnCDRom(false);
                session.ModeMediaInet(false);
                QString folder = media;
                constants.CheckPathSyntax(folder, basalo::Physical);
                session.PathMediaAppli(folder + appli);
                break;
            }
            case 2: {
                session.MediaOnCDRom(false);
                session.ModeMediaInet(true);
                QString address = media;
                constants.CheckPathSyntax(address, basalo::URL);
                session.URLMediaAppli(address + appli);
                break;
            }
            case 3:
                session.ModeMediaInet(false);
                session.MediaOnCDRom(true);
                session.PathMediaAppli(QString());
                session.URLMediaAppli(QString());
                break;
            default:
                break;
        }
        // The page learns the title its window is looked for by, and may take it.
        emit hostWindowTitle(fields.text(21));
        if (!self)
            return;
        session.SetHandleAppelant(fields.text(21));
        session.SetDateServer(fields.text(23));

        result = piRefreshLanguageFile();
        if (!self || result != OK)
            return;
        context.oLangueIHMInet = context.makeLanguageReader(context.langueId);
        if (!session.InitBarre(context.langueId, false) || !session.Init()) {
            result = context.failedStep(Unreadable);
            return;
        }
        result = OK;
    });
    if (error) {
        context.recordError(*error, scope);
        result = Unreadable;
    }
    return self ? result : Unreadable;
}

long clsManager::piRefreshLanguageFile()
{
    const QPointer<clsManager> self(this);
    NetrovaContext& context = context_;
    // A language file that cannot be had fails the language step.
    long result = Unreadable;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRefreshLanguageFile"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const basalo::clsManager& constants = platform::require(constants_);
        const QString file = context.languageFilePath();
        // A file that is missing, or lost its version, is as old as can be.
        const long local = languageFileVersion(constants, file).value_or(0);
        const long server = StartRecord::toWholeNumber(serverLanguageVersion_);
        scope.value(QStringLiteral("FileVersion"), QString::number(local));
        if (local < server) {
            long received = OK;
            const QString reply = requestUntilAnswered(
                pioInetUrl_,
                toolkit::withQuery(context.pusURLBaseServer + QStringLiteral("WS/pluginlng.aspx"),
                                   {{QStringLiteral("sessionid"), context.pusPkCookie}}),
                received);
            if (!self)
                return;
            if (reply.trimmed() != QLatin1String("NOK"))
                replaceLanguageFile(constants, file,
                                    QString(reply).replace(QStringLiteral("%VBCRLF%"), QStringLiteral("\r\n")), scope);
        }
        // Without a language file every label and message of the module would be empty.
        if (!languageFileVersion(constants, file))
            throw platform::RuntimeError(platform::FileNotFound,
                                         QStringLiteral("Aucun fichier de langue : le serveur de cours n'en a pas "
                                                        "envoyé et le poste n'en a pas (")
                                             + file + u')');
        result = OK;
    });
    if (error) {
        context.recordError(*error, scope);
        result = Unreadable;
    }
    return result;
}

}  // namespace netrova
