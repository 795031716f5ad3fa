#include "clsInetUPL.h"

#include "HtmlPage.h"
#include "PackageFiles.h"
#include "StagedPackage.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/TextCodec.h"

#include <QPointer>
#include <QRegularExpression>

namespace toolkit {
namespace {

using platform::HttpReply;
using platform::HttpRequest;

const QString transportModule = QStringLiteral("clsInetUPL");
// The operations the hosting page reaches write their lines as the entry object's.
const QString entryModule = QStringLiteral("clsManager");

constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

// The text a browser would show of the reply: the body as received, or what
// lies inside the body element when the reply is a whole page.
QString replyText(const HttpReply& reply)
{
    const QString& text = reply.text;
    static const QRegularExpression bodyStart(QStringLiteral("<body[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const auto start = bodyStart.match(text);
    if (!start.hasMatch())
        return text;
    const qsizetype from = start.capturedEnd();
    const qsizetype end = text.lastIndexOf(QStringLiteral("</body"), -1, Qt::CaseInsensitive);
    return text.mid(from, end >= from ? end - from : -1);
}

// The charset a browser fills a page's form in: the page's own.
QByteArray formCharset(const HttpReply& page)
{
    return page.contentType.toLower().contains("utf-8") ? QByteArray("utf-8") : QByteArray("windows-1252");
}

}  // namespace

clsInetUPL::clsInetUPL(SessionState& state, TransportProfile profile, std::unique_ptr<platform::HttpSession> session)
    : state_(state), profile_(std::move(profile)), session_(std::move(session))
{
    tracel::TraceScope(state_.trace, tracel::TypeClass, transportModule, QStringLiteral("Private Sub Class_Initialize"),
                       3);
}

clsInetUPL::~clsInetUPL()
{
    tracel::TraceScope(state_.trace, tracel::TypeClass, transportModule, QStringLiteral("Private Sub Class_Terminate"),
                       3);
}

std::optional<HttpReply> clsInetUPL::exchange(HttpRequest request, Wait wait)
{
    const QPointer<clsInetUPL> self(this);
    if (wait == Wait::TimeLimit)
        request.timeout = profile_.timeout;
    else
        request.stallTime = profile_.stallTime;
    request.onProgress = [self](qint64 received, qint64 total) {
        if (self)
            emit self->DownloadProgressChange(static_cast<long>(received), static_cast<long>(total));
    };
    busy_ = true;
    HttpReply reply = platform::require(session_).send(request);
    if (!self)
        return std::nullopt;
    busy_ = false;
    return reply;
}

std::optional<HttpReply> clsInetUPL::fetch(HttpRequest request, Wait wait, const tracel::TraceScope& scope,
                                           long timeOutCode, long* failureCode)
{
    const long failure = profile_.codeFailure;
    auto reply = exchange(std::move(request), wait);
    if (!reply)
        return std::nullopt;
    if (reply->ok())
        return reply;
    const bool timedOut = reply->outcome == HttpReply::Outcome::TimedOut;
    if (failureCode)
        *failureCode = timedOut ? timeOutCode : failure;
    QString why = reply->errorText;
    if (timedOut) {
        scope.line(QStringLiteral("erreur kav post timeout"));
        const double seconds = (wait == Wait::TimeLimit ? profile_.timeout : profile_.stallTime).count() / 1000.0;
        why = wait == Wait::TimeLimit ? QStringLiteral("Pas de réponse du serveur en %1 s").arg(seconds)
                                      : QStringLiteral("Plus rien ne vient du serveur depuis %1 s").arg(seconds);
    }
    state_.recordError(platform::RuntimeError(reply->status, why), scope);
    return std::nullopt;
}

long clsInetUPL::refuseNested(const tracel::TraceScope& scope)
{
    state_.recordError(
        platform::RuntimeError(0, QStringLiteral("Requête refusée : une autre requête attend sa réponse")), scope);
    return profile_.codeFailure;
}

long clsInetUPL::GetInetData65x(QString& soReturn, const QUrl& siURL)
{
    return get(soReturn, siURL, Wait::TimeLimit, QStringLiteral("Public Function GetInetData65x"));
}

long clsInetUPL::GetWithoutDeadline(QString& soReturn, const QUrl& siURL)
{
    return get(soReturn, siURL, Wait::UntilStalled, QStringLiteral("Public Function GetWithoutDeadline"));
}

long clsInetUPL::get(QString& soReturn, const QUrl& siURL, Wait wait, const QString& declaration)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, transportModule, declaration);
    scope.value(QStringLiteral("siURL"), siURL.toString());
    if (busy_)
        return refuseNested(scope);
    scope.line(QStringLiteral("Call .Navigate(%1)").arg(siURL.toString()));
    long result = profile_.codeFailure;
    const auto reply = fetch(HttpRequest::get(siURL), wait, scope, profile_.codeTimeOut, &result);
    if (!reply)
        return result;
    soReturn = replyText(*reply);
    scope.value(QStringLiteral("soReturn"), soReturn);
    return OK;
}

QString clsInetUPL::PostFormData(const QString& siURL, const QString& siPage, const std::vector<tParamForm>& ioasParam)
{
    state_.pulStateEnCours = OK;
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, entryModule,
                                   QStringLiteral("Friend Function PostFormData"));
    scope.value(QStringLiteral("siURL"), siURL);
    scope.value(QStringLiteral("siPage"), siPage);
    if (busy_) {
        state_.pulStateEnCours = refuseNested(scope);
        return {};
    }
    const QUrl pageUrl(siURL + siPage + QStringLiteral(".htm"), QUrl::TolerantMode);
    scope.line(QStringLiteral("Call .Navigate(%1)").arg(pageUrl.toString()));
    const auto page =
        fetch(HttpRequest::get(pageUrl), Wait::TimeLimit, scope, profile_.codeTimeOut, &state_.pulStateEnCours);
    if (!page)
        return {};
    return submit(pageUrl, siPage, *page, ioasParam, scope);
}

QString clsInetUPL::submit(const QUrl& pageUrl, const QString& siPage, const HttpReply& page,
                           const std::vector<tParamForm>& ioasParam, const tracel::TraceScope& scope)
{
    auto form = firstForm(page.text);
    state_.pulStateEnCours = profile_.codeParam;
    if (!form) {
        const QString why = QStringLiteral("La page n'a pas de formulaire : ") + pageUrl.toString();
        state_.recordError(platform::RuntimeError(platform::ObjectNotSet, why), scope);
        return {};
    }
    for (std::size_t i = 0; i < ioasParam.size(); ++i) {
        const tParamForm& param = ioasParam[i];
        scope.line(QStringLiteral("ioasParam(%1).ParamName = %2").arg(i).arg(param.ParamName), 2);
        if (param.lParamIndex < 0 || static_cast<std::size_t>(param.lParamIndex) >= form->controls.size()) {
            state_.recordError(platform::RuntimeError(platform::SubscriptOutOfRange,
                                                      QStringLiteral("Le formulaire de %1 n'a pas de champ n° %2 (%3)")
                                                          .arg(pageUrl.toString())
                                                          .arg(param.lParamIndex)
                                                          .arg(param.ParamName)),
                               scope);
            return {};
        }
        FormControl& control = form->controls[static_cast<std::size_t>(param.lParamIndex)];
        if (control.name.compare(param.ParamName, Qt::CaseInsensitive) != 0) {
            state_.pulStateEnCours = profile_.codeParamName;
            scope.line(QStringLiteral("erreur kav post ParamName"));
            state_.pulErrorNumber = 0;
            state_.pusErrorDescription =
                QStringLiteral("Le champ n° %1 du formulaire de %2 s'appelle « %3 », pas « %4 »")
                    .arg(param.lParamIndex)
                    .arg(pageUrl.toString(), control.name, param.ParamName);
            scope.line(state_.pusErrorDescription);
            return {};
        }
        control.value = param.ParamValue;
    }

    platform::HttpForm fields;
    for (const FormControl& control : form->controls) {
        if (control.isSubmitted())
            fields.append({control.name, control.value});
    }
    state_.pulStateEnCours = OK;
    QUrl target = pageUrl.resolved(withQuery(siPage + QStringLiteral(".aspx"), profile_.formActionQuery()));
    scope.line(QStringLiteral("Action = ") + target.toString());
    scope.line(QStringLiteral("Call .Document.Forms(0).submit"));
    HttpRequest request;
    if (form->method == QLatin1String("post")) {
        request = HttpRequest::postForm(target, fields, formCharset(page));
    } else {
        // A form sent by GET carries its fields in place of the action's query, as browsers send it.
        target.setQuery(QString::fromLatin1(platform::encodeForm(fields, formCharset(page))), QUrl::StrictMode);
        request = HttpRequest::get(target);
    }
    const auto reply = fetch(request, Wait::TimeLimit, scope, profile_.codeTimeOutPost, &state_.pulStateEnCours);
    if (!reply)
        return {};
    scope.line(QStringLiteral("submit OK"));
    const QString text = replyText(*reply);
    scope.value(QStringLiteral("PostFormData"), text);
    state_.pulStateEnCours = OK;
    return text;
}

QString clsInetUPL::PostData(const QString& siURL, const QString& siData)
{
    QString reply;
    PostData(reply, siURL, siData);
    return reply;
}

long clsInetUPL::PostData(QString& soReturn, const QString& siURL, const QString& siData)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, entryModule,
                                   QStringLiteral("Public Function PostData"), 2);
    scope.value(QStringLiteral("siURL"), siURL, 2);
    scope.value(QStringLiteral("siData"), siData, 2);
    if (busy_)
        return refuseNested(scope);
    const QUrl address = withQuery(siURL, profile_.postDataQuery());
    scope.line(QStringLiteral("Call .Navigate(%1)").arg(address.toString()), 2);
    long result = profile_.codeFailure;
    const auto reply =
        fetch(HttpRequest::post(address, platform::encodeWindows1252(siData), "application/x-www-form-urlencoded"),
              Wait::UntilStalled, scope, profile_.codeTimeOut, &result);
    if (!reply)
        return result;
    soReturn = replyText(*reply);
    return OK;
}

QString clsInetUPL::puGetDllPackage(const QString& siURL)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, entryModule,
                                   QStringLiteral("Public Function puGetDllPackage"), 3);
    scope.value(QStringLiteral("siURL"), siURL, 3);
    const QUrl pageUrl(siURL, QUrl::TolerantMode);
    if (!sameOrigin(pageUrl, QUrl(profile_.serverBase(), QUrl::TolerantMode))) {
        state_.recordError(platform::RuntimeError(platform::InvalidProcedureCall,
                                                  QStringLiteral("Paquet hors du serveur de cours : ") + siURL),
                           scope);
        return {};
    }
    if (busy_) {
        refuseNested(scope);
        return {};
    }
    const auto page = fetch(HttpRequest::get(pageUrl), Wait::UntilStalled, scope, profile_.codeTimeOut);
    if (!page)
        return {};

    const auto names = packageFiles(state_, page->text, scope);
    if (!names)
        return {};
    StagedPackage package(state_, profile_.componentFolder(), scope);
    if (!package.ready())
        return {};
    for (const QString& name : *names) {
        const QUrl fileUrl = pageUrl.resolved(QUrl(QString::fromLatin1(QUrl::toPercentEncoding(name, "/"))));
        const auto file = fetch(HttpRequest::get(fileUrl), Wait::UntilStalled, scope, profile_.codeTimeOut);
        if (!file || !package.write(name, file->bytes))
            return {};
    }
    const QString folder = package.install();
    if (folder.isEmpty())
        return {};
    scope.line(QStringLiteral("ACTIVEX_CACHE_FOLDER = ") + folder, 3);
    return folder;
}

bool clsInetUPL::DecryptErrorMsg(const QString& siString)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, entryModule,
                                   QStringLiteral("Public Function DecryptErrorMsg"), 3);
    scope.value(QStringLiteral("siString"), siString, 3);
    const QString text = siString.mid(4);
    const qsizetype first = text.indexOf(u'#');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u'#', first + 1);
    if (second < 0) {
        errorMessage_.clear();
        errorButtons_.clear();
        errorTitle_.clear();
        scope.line(QStringLiteral("erreur kav texte d'erreur illisible"), 3);
        return false;
    }
    errorMessage_ = text.left(first);
    errorButtons_ = text.mid(first + 1, second - first - 1);
    errorTitle_ = text.mid(second + 1);
    return true;
}

}  // namespace toolkit
