#include "HacpReply.h"

#include <QStringList>

namespace pelago {
namespace {

QString keyOf(const QString& group, const QString& keyword)
{
    return group.toLower() + u'\n' + keyword.toLower();
}

}  // namespace

HacpReply HacpReply::parse(const QString& text)
{
    HacpReply reply;
    QString group;
    QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString keyword = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        // Some systems start the AU data on the "aicc_data=" line itself.
        if (group.isEmpty() && keyword.compare(QLatin1String("aicc_data"), Qt::CaseInsensitive) == 0
            && !value.isEmpty()) {
            lines.insert(i + 1, value);
            continue;
        }
        reply.add(group, keyword, value);
    }
    bool number = false;
    const QString error = reply.value({}, QStringLiteral("error"));
    const long code = error.toLong(&number);
    if (number)
        reply.error_ = code;
    return reply;
}

QString HacpReply::errorText() const
{
    const QString text = value({}, QStringLiteral("error_text"));
    return text.isEmpty() ? value({}, QStringLiteral("error_txt")) : text;
}

QString HacpReply::value(const QString& group, const QString& keyword) const
{
    return values_.value(keyOf(group, keyword));
}

void HacpReply::add(const QString& group, const QString& keyword, const QString& value)
{
    // The first of two equal keywords counts, as a reader that stops at the first would have it.
    const QString key = keyOf(group, keyword);
    if (!values_.contains(key))
        values_.insert(key, value);
}

StudentName splitStudentName(const QString& value)
{
    const QStringList parts = value.split(u',');
    StudentName name;
    name.last = parts.value(0).trimmed();
    name.first = parts.size() > 1 ? parts[1].trimmed() : QString();
    return name;
}

}  // namespace pelago
