#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace courseserver {

// The files of the course's data folder. Names come from requests, so each is
// checked to stay inside the folder, and looked up without regard to case as
// the course's original server did.
class CourseFiles {
public:
    explicit CourseFiles(QString root) : root_(std::move(root)) {}

    // The bytes of the first candidate that exists as a file in the folder
    // (relative to the data folder); nothing when none does.
    std::optional<QByteArray> read(const QString& folder, const std::vector<std::string>& candidates) const;

private:
    QString locate(const QString& relative) const;

    QString root_;
};

// True for a relative path of plain names: no "..", no empty name, no "\".
bool isSafeRelativePath(const std::string& path);

std::string percentDecoded(const std::string& text);
std::string percentEncoded(const std::string& text);

// The content type of a text reply, with the charset its bytes are in.
std::string textContentType(const std::string& type, const QByteArray& bytes);
// The content type of a file, by its extension.
std::string contentTypeFor(const std::string& path, const QByteArray& bytes);

}  // namespace courseserver
