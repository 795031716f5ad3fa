#include "SampleLms.h"

#include "CourseFiles.h"

#include "platform/TextCodec.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace courseserver {
namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The first field of that name, compared without regard to case; "" when absent.
std::string fieldValue(const SampleLms::Fields& fields, const std::string& name)
{
    for (const auto& [key, value] : fields) {
        if (lower(key) == lower(name))
            return value;
    }
    return {};
}

QString text(const std::string& bytes)
{
    return platform::decodeText(QByteArray::fromStdString(bytes));
}

SampleLms::Answer hacpText(const std::string& text)
{
    return {200, text, "text/plain; charset=windows-1252"};
}

// What each course-data page reads from its form: the field that keys the
// reply file, and the folders holding those files, the launcher's own first.
struct CoursePage {
    const char* name;
    const char* key;
    const char* folders[2];
};

const CoursePage coursePages[] = {
    {"lms_infoquestionls", "IdQuestionLs", {"LMS/InfoQuestionLS", nullptr}},
    {"lms_infoquestdumodule", "IdModule", {"LMS/InfoQuestDuModule", nullptr}},
    {"lms_infoquestion", "IdQuestion", {"LMS/InfoQuestion", "WS/InfoQuestion"}},
    {"lms_infodll", "IdDll", {"LMS/InfoDll", "WS/InfoDll"}},
    {"lms_infovideo", "IdQuestion", {"LMS/InfoVideo", "WS/InfoVideo"}},
};

std::mutex recordMutex;

}  // namespace

SampleLms::SampleLms(QString dataFolder, QString recordFile, std::function<QByteArray(QByteArray)> fillPlaceholders)
    : dataFolder_(std::move(dataFolder)), recordFile_(std::move(recordFile)), fillPlaceholders_(std::move(fillPlaceholders))
{
}

bool SampleLms::handles(const std::string& path)
{
    const std::string name = lower(path);
    if (name == "lms/aicc")
        return true;
    const std::string prefix = "lms/ws/";
    const std::string extension = ".aspx";
    return name.rfind(prefix, 0) == 0 && name.size() > prefix.size() + extension.size()
        && name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

std::string SampleLms::aiccCommand(const std::string& path, const Fields& fields)
{
    std::string name = lower(path);
    name.erase(0, name.find_first_not_of('/'));
    return name == "lms/aicc" ? fieldValue(fields, "command") : std::string();
}

std::string SampleLms::hacpRefusal(int error)
{
    const char* text = error == 1 ? "Invalid Command"
        : error == 2              ? "Invalid AU password"
        : error == 3              ? "Invalid Session ID"
                                  : "Error";
    return "error=" + std::to_string(error) + "\r\nerror_text=" + text + "\r\n";
}

SampleLms::Answer SampleLms::answer(const std::string& method, const std::string& path, const Fields& fields)
{
    const std::string name = lower(path);
    if (name == "lms/aicc")
        return hacp(fields);
    if (method != "POST")
        return {405, "Method not allowed", "text/plain; charset=utf-8"};
    return coursePage(name.substr(7, name.size() - 7 - 5), fields);
}

SampleLms::Answer SampleLms::hacp(const Fields& fields)
{
    const std::string command = lower(fieldValue(fields, "command"));
    const std::string session = fieldValue(fields, "session_id");
    if (command != "getparam" && command != "putparam" && command != "exitau")
        return hacpText(hacpRefusal(1));
    if (session.empty() || !isSafeRelativePath(session))
        return hacpText(hacpRefusal(3));
    if (command == "getparam") {
        const CourseFiles files(dataFolder_);
        const auto learner = files.read(QStringLiteral("LMS/getparam"), {session + ".txt", "default.txt"});
        if (!learner)
            return hacpText(hacpRefusal(3));
        QByteArray core = *learner;
        core.replace("\r\n", "\n").replace("\n", "\r\n");
        return hacpText("error=0\r\nerror_text=Successful\r\nversion=2.0\r\naicc_data=" + core.toStdString());
    }
    store(command, fields);
    return hacpText("error=0\r\nerror_text=Successful\r\n");
}

SampleLms::Answer SampleLms::coursePage(const std::string& page, const Fields& fields) const
{
    const auto known = std::find_if(std::begin(coursePages), std::end(coursePages),
                                    [&](const CoursePage& candidate) { return page == candidate.name; });
    if (known == std::end(coursePages))
        return {404, "Not found", "text/plain; charset=utf-8"};
    const std::string key = fieldValue(fields, known->key);
    const CourseFiles files(dataFolder_);
    for (const char* folder : known->folders) {
        if (!folder || key.empty())
            continue;
        if (const auto bytes = files.read(QString::fromLatin1(folder), {key + ".txt"})) {
            const QByteArray body = fillPlaceholders_ ? fillPlaceholders_(*bytes) : *bytes;
            return {200, body.toStdString(), textContentType("text/html", body)};
        }
    }
    // Element 1 is no step code, so the launcher reports its own server error.
    return {200, "#KAV_ERREUR#||0|" + std::string(known->key) + " " + key + " inconnu", "text/html; charset=utf-8"};
}

void SampleLms::store(const std::string& command, const Fields& fields)
{
    QJsonObject values;
    for (const auto& [name, value] : fields)
        values.insert(text(name), text(value));
    QJsonObject record;
    record.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    record.insert(QStringLiteral("command"), QString::fromStdString(command));
    record.insert(QStringLiteral("fields"), values);
    const std::lock_guard lock(recordMutex);
    QFile out(recordFile_);
    if (out.open(QIODevice::WriteOnly | QIODevice::Append))
        out.write(QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
}

}  // namespace courseserver
