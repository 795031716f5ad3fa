#pragma once

#include "SessionState.h"
#include "WebAddress.h"
#include "tParamForm.h"

#include "platform/HttpSession.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace toolkit {

// What differs between the plug-in's transport and the launcher's: how a
// request names the session to the server and which step codes a failure
// leaves.
struct TransportProfile {
    // Added to the query of the address a form is submitted to.
    std::function<QueryItems()> formActionQuery;
    // Added to the query of a raw post.
    std::function<QueryItems()> postDataQuery;
    // The course server's base address: packages are fetched from there only.
    std::function<QString()> serverBase;
    // Where fetched packages are written, one folder per user.
    std::function<QString()> componentFolder;
    // The GETs of the web service and the form posts give up after this long.
    std::chrono::milliseconds timeout = platform::defaultHttpTimeout;
    // The requests without a deadline (raw posts, packages and their files,
    // GETs that must not be cut short) give up only when nothing has moved
    // for this long.
    std::chrono::milliseconds stallTime = platform::defaultHttpStallTime;

    long codeTimeOut = 0;      // the page or the reply did not arrive in time
    long codeTimeOutPost = 0;  // the reply to a submitted form did not arrive in time
    long codeParam = 0;        // the fields could not be filled
    long codeParamName = 0;    // the field at a position bears another name
    long codeFailure = 0;      // anything else: an error status, a lost connection, a refused request
};

// The HTTP transport of a course plug-in: GETs of the web service's pages,
// posts of a server page's first form, raw posts and component packages,
// through one HTTP session (one set of cookies) per transport.
//
// Every request waits with the event loop running, so anything may happen
// meanwhile, this object's end included; one request runs at a time, and a
// request asked for while another waits is refused with the failure code.
// A reply with an error status, or cut short, is a failure, never data; the
// reply text is the body as received, decoded by its charset. A failure
// always leaves its words in the session's last error ("404 Not Found", the
// network's account, the time waited; the error number is the HTTP status,
// 0 when none came), whatever step code it gives.
//
// The web service's GETs and the form posts give up after the profile's
// time-out; raw posts and packages, which may take long on a slow link, have
// no deadline and give up only when nothing has moved for the stall time.
class clsInetUPL : public QObject {
    Q_OBJECT

public:
    clsInetUPL(SessionState& state, TransportProfile profile, std::unique_ptr<platform::HttpSession> session);
    ~clsInetUPL() override;

    // The page's text in soReturn and 1; on failure soReturn keeps its value
    // and the result is the profile's time-out or failure code.
    long GetInetData65x(QString& soReturn, const QUrl& siURL);
    // The same GET without a deadline: it ends only when the reply is there,
    // the connection fails or nothing has moved for the stall time.
    long GetWithoutDeadline(QString& soReturn, const QUrl& siURL);

    // Loads siURL & siPage & ".htm", fills its first form's controls at the
    // records' positions, submits it to siPage & ".aspx" with the session's
    // query and returns the reply; "" on failure, with the step code saying why.
    QString PostFormData(const QString& siURL, const QString& siPage, const std::vector<tParamForm>& ioasParam);

    // Posts siData, in the windows-1252 code page, to siURL with the session's
    // query; the reply, or "" on failure.
    QString PostData(const QString& siURL, const QString& siData);
    // The same, telling a failed request from an empty reply: the reply in
    // soReturn and 1, else soReturn unchanged and the time-out or failure code.
    long PostData(QString& soReturn, const QString& siURL, const QString& siData);

    // Fetches the package page at siURL, which must lie on the course server,
    // and every file its links name below the page's folder, into the user's
    // component folder; nothing is ever run. The package is installed whole
    // or not at all (StagedPackage). The folder, with a final "/", or "" when
    // the package could not be fetched and installed whole.
    QString puGetDllPackage(const QString& siURL);

    // Reads a server error text: four characters skipped, then the message,
    // "#", the buttons, "#" and the title. False, with the parts emptied, when
    // the text does not hold the two "#".
    bool DecryptErrorMsg(const QString& siString);
    QString ErrorMsg() const { return errorMessage_; }
    QString ErrorTitle() const { return errorTitle_; }
    QString ErrorVbButton() const { return errorButtons_; }

signals:
    // Bytes received and expected of the reply under way.
    void DownloadProgressChange(long lProgress, long lProgressMax);

protected:
    SessionState& state() const { return state_; }

private:
    // How long a request may wait.
    enum class Wait { TimeLimit, UntilStalled };

    // One request; nothing when this object ended during the wait.
    std::optional<platform::HttpReply> exchange(platform::HttpRequest request, Wait wait);
    // One request whose reply must arrive whole: nothing comes back otherwise,
    // the trace says why, and failureCode (when given) receives timeOutCode or
    // the profile's failure code. Nothing is touched when this object ended.
    std::optional<platform::HttpReply> fetch(platform::HttpRequest request, Wait wait, const tracel::TraceScope& scope,
                                             long timeOutCode, long* failureCode = nullptr);
    long get(QString& soReturn, const QUrl& siURL, Wait wait, const QString& declaration);
    // A request refused because another waits: the failure code, its words kept.
    long refuseNested(const tracel::TraceScope& scope);
    QString submit(const QUrl& pageUrl, const QString& siPage, const platform::HttpReply& page,
                   const std::vector<tParamForm>& ioasParam, const tracel::TraceScope& scope);

    SessionState& state_;
    TransportProfile profile_;
    std::unique_ptr<platform::HttpSession> session_;
    bool busy_ = false;
    QString errorMessage_;
    QString errorButtons_;
    QString errorTitle_;
};

}  // namespace toolkit
