#include "clsInetUPL.h"

#include "CommonData.h"
#include "HacpReply.h"
#include "frmInet.h"

#include "toolkit/clsLangue.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include <cmath>

namespace pelago {
namespace {

toolkit::TransportProfile profileOf(CommonData& data, std::function<QString()> serverBase)
{
    toolkit::TransportProfile profile;
    const auto configuration = [&data] {
        return toolkit::QueryItems{{QStringLiteral("CfgSite"), data.CfgSite}, {QStringLiteral("CfgBdd"), data.CfgBdd}};
    };
    profile.formActionQuery = configuration;
    profile.postDataQuery = configuration;
    profile.serverBase = std::move(serverBase);
    profile.componentFolder = [&data] { return QDir(data.languageFolder).filePath(QStringLiteral("components")) + u'/'; };
    profile.timeout = data.requestTimeout;
    profile.stallTime = data.requestStallTime;
    profile.codeTimeOut = basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurTimeOut;
    profile.codeTimeOutPost = basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurTimeOutPost;
    profile.codeParam = basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurParam;
    profile.codeParamName = basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurParamName;
    profile.codeFailure = basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurInconnue;
    return profile;
}

// The whole number at the start of the text, rounded; 0 when there is none.
long leadingNumber(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && (text[end].isDigit() || text[end] == u'.' || (end == 0 && text[end] == u'-')))
        ++end;
    bool number = false;
    const double value = text.left(end).toDouble(&number);
    return number && std::fabs(value) < 2147483647.0 ? static_cast<long>(std::nearbyint(value)) : 0;
}

}  // namespace

clsInetUPL::clsInetUPL(CommonData& data, std::function<QString()> serverBase)
    : toolkit::clsInetUPL(data, profileOf(data, std::move(serverBase)), data.createHttpSession()), data_(data)
{
}

bool clsInetUPL::puSendResult(const QString& siURL, QString* soReturn, long* soResult)
{
    CommonData& data = data_;
    const QPointer<clsInetUPL> self(this);
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, QStringLiteral("clsInetUPL"),
                                   QStringLiteral("Public Function puSendResult"));
    scope.value(QStringLiteral("siURL"), siURL);
    QString reply;
    const long result = GetWithoutDeadline(reply, QUrl(siURL, QUrl::TolerantMode));
    if (!self)
        return false;
    if (soReturn)
        *soReturn = reply;
    if (soResult)
        *soResult = result;
    std::optional<long> error;
    if (result == basalo::enuFunctionReturnState_General_Traitement_OK) {
        // A reply is a success only when it says so in the protocol's own words.
        error = HacpReply::parse(reply).error();
        if (error == 0)
            return true;
        if (!error) {
            const QString lower = reply.toLower();
            const qsizetype at = lower.indexOf(QLatin1String("error="));
            error = at < 0 ? 0 : leadingNumber(lower.mid(at + 6));
        }
    } else {
        error = result;
    }
    scope.line(QStringLiteral("erreur kav réponse AICC : error = %1").arg(*error));
    bool display = false;
    const long displayFlag = data.DisplayMessageAicc.trimmed().toLong(&display);
    if (display && displayFlag != 0 && data.messageBoxes) {
        // The template stays as it was set, so that each failure shows its own number.
        const QString text = toolkit::clsLangue::fillPlaceholders(data.MessageAicc, {QString::number(*error)});
        data.messageBoxes->show(text, data.TitleMessageAicc, platform::MessageBoxes::OkButton,
                                platform::MessageBoxes::Icon::Warning);
    }
    return false;
}

bool clsInetUPL::VerifPresenceFichiers(const QString& isPathFiles, const QStringList& iaFic)
{
    const auto allThere = [&] {
        for (const QString& name : iaFic) {
            const QString path = platform::paths::fromData(isPathFiles + name);
            if (!platform::paths::staysInside(name) || !QFileInfo::exists(platform::paths::findExisting(path)))
                return false;
        }
        return true;
    };
    if (allThere())
        return true;
    if (!form_)
        return false;
    const QPointer<clsInetUPL> self(this);
    const QPointer<frmInet> form = form_;
    form->TimerVerifRorova().start(std::chrono::milliseconds(1000));
    for (int attempt = 0; attempt < 3; ++attempt) {
        form->timerFlag = false;
        // The form may go while the check waits; the wait then ends at once.
        data_.timers().waitUntil([&form] { return !form || form->timerFlag; }, std::chrono::milliseconds(2000));
        if (!self || !form)
            return false;
        if (allThere()) {
            form->TimerVerifRorova().stop();
            return true;
        }
    }
    form->TimerVerifRorova().stop();
    return false;
}

}  // namespace pelago
