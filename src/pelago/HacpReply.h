#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace pelago {

// A learning management system's reply to an AICC command, read as the HACP
// protocol writes it: "keyword=value" lines (CR LF or LF), the reply's own
// keywords ("error", "error_text", "version", "aicc_data") first, then the
// groups of the AU data ("[Core]" and the keywords under it). Keywords and
// group names are compared without regard to case; blank lines and lines
// opening with ";" are comments; blanks around "=" do not count; a value is
// everything after the first "=".
class HacpReply {
public:
    static HacpReply parse(const QString& text);

    // The "error" value, nothing when the reply holds none that is a number
    // (an HTML error page, an empty body).
    std::optional<long> error() const { return error_; }
    // "error_text", or "error_txt" as some systems write it.
    QString errorText() const;
    // A keyword of a group ("" for the reply's own keywords); "" when absent.
    QString value(const QString& group, const QString& keyword) const;

private:
    void add(const QString& group, const QString& keyword, const QString& value);

    std::optional<long> error_;
    QHash<QString, QString> values_;
};

// The learner's name as "[Core]" gives it, "Last, First, Middle": the last
// name, then the first; a name without a comma is the last name alone.
struct StudentName {
    QString last;
    QString first;
};
StudentName splitStudentName(const QString& value);

}  // namespace pelago
