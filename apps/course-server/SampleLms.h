#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <string>

namespace courseserver {

// The sample course server's learning management system, under "LMS/": the
// AICC end point (HACP) at "LMS/aicc", which answers getparam with the
// learner of the session and stores every putparam and exitAU it receives,
// and the five course-data pages "LMS/WS/LMS_<page>.aspx", which answer the
// posted form with a reply record of the data folder. The form pages
// ("LMS/WS/LMS_<page>.htm") and the exercise files ("LMS/Download/...") are
// plain files of the data folder. See samples/server/README.md.
class SampleLms {
public:
    struct Answer {
        int status = 200;
        std::string body;
        std::string contentType = "text/plain; charset=utf-8";
    };

    // fields: the request's query and form fields, decoded.
    using Fields = std::multimap<std::string, std::string>;

    SampleLms(QString dataFolder, QString recordFile, std::function<QByteArray(QByteArray)> fillPlaceholders);

    // True for a path this system answers (other than its plain files).
    static bool handles(const std::string& path);
    // The AICC command a request of the end point carries ("" for any other
    // path), as a fault names it.
    static std::string aiccCommand(const std::string& path, const Fields& fields);
    // The refusal of an AICC command with that error number and its usual text.
    static std::string hacpRefusal(int error);
    // The answer to a request of such a path; `method` is "GET" or "POST".
    Answer answer(const std::string& method, const std::string& path, const Fields& fields);

private:
    Answer hacp(const Fields& fields);
    Answer coursePage(const std::string& page, const Fields& fields) const;
    void store(const std::string& command, const Fields& fields);

    QString dataFolder_;
    QString recordFile_;
    std::function<QByteArray(QByteArray)> fillPlaceholders_;
};

}  // namespace courseserver
