#include "CourseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cctype>
#include <map>
#include <string>

namespace courseserver {
namespace {

// Sample videos are small; a bigger file is refused rather than read whole.
constexpr qint64 maxFileSize = 256 * 1024 * 1024;

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder(bytes);
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

}  // namespace

std::optional<QByteArray> CourseFiles::read(const QString& folder, const std::vector<std::string>& candidates) const
{
    for (const auto& candidate : candidates) {
        const QString relative = folder.isEmpty() ? QString::fromStdString(candidate)
                                                  : folder + QLatin1Char('/') + QString::fromStdString(candidate);
        if (!isSafeRelativePath(relative.toStdString()))
            continue;
        const QString found = locate(relative);
        if (found.isEmpty())
            continue;
        QFile file(found);
        if (file.size() > maxFileSize || !file.open(QIODevice::ReadOnly))
            continue;
        return file.readAll();
    }
    return std::nullopt;
}

QString CourseFiles::locate(const QString& relative) const
{
    QString current = root_;
    const QStringList names = relative.split(QLatin1Char('/'));
    for (int i = 0; i < names.size(); ++i) {
        const bool last = i == names.size() - 1;
        const QDir dir(current);
        QString match;
        if (QFileInfo(dir.filePath(names[i])).exists()) {
            match = names[i];
        } else {
            for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
                if (entry.compare(names[i], Qt::CaseInsensitive) == 0) {
                    match = entry;
                    break;
                }
            }
        }
        if (match.isEmpty())
            return {};
        current = dir.filePath(match);
        const QFileInfo info(current);
        if (last ? !info.isFile() : !info.isDir())
            return {};
    }
    return current;
}

bool isSafeRelativePath(const std::string& path)
{
    if (path.empty() || path.find('\\') != std::string::npos || path.find('\0') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        const std::string name = path.substr(start, end - start);
        if (name.empty() || name == "." || name == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string percentDecoded(const std::string& text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
                   && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string percentEncoded(const std::string& text)
{
    return QByteArray::fromStdString(text).toPercentEncoding().toStdString();
}

std::string textContentType(const std::string& type, const QByteArray& bytes)
{
    return type + (isUtf8(bytes) ? "; charset=utf-8" : "; charset=windows-1252");
}

std::string contentTypeFor(const std::string& path, const QByteArray& bytes)
{
    static const std::map<QString, std::pair<std::string, bool>> types = {
        {QStringLiteral("htm"), {"text/html", true}},        {QStringLiteral("html"), {"text/html", true}},
        {QStringLiteral("txt"), {"text/plain", true}},       {QStringLiteral("lng"), {"text/plain", true}},
        {QStringLiteral("xml"), {"text/xml", true}},         {QStringLiteral("css"), {"text/css", true}},
        {QStringLiteral("js"), {"text/javascript", true}},   {QStringLiteral("pdf"), {"application/pdf", false}},
        {QStringLiteral("asf"), {"video/x-ms-asf", false}},  {QStringLiteral("wmv"), {"video/x-ms-wmv", false}},
        {QStringLiteral("avi"), {"video/x-msvideo", false}}, {QStringLiteral("mp4"), {"video/mp4", false}},
        {QStringLiteral("webm"), {"video/webm", false}},     {QStringLiteral("png"), {"image/png", false}},
        {QStringLiteral("jpg"), {"image/jpeg", false}},      {QStringLiteral("gif"), {"image/gif", false}},
    };
    const auto found = types.find(QFileInfo(QString::fromStdString(path)).suffix().toLower());
    if (found == types.end())
        return "application/octet-stream";
    return found->second.second ? textContentType(found->second.first, bytes) : found->second.first;
}

}  // namespace courseserver
