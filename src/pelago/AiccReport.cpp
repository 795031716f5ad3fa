#include "AiccReport.h"

#include "lumaro/model/Enumerations.h"

#include <algorithm>
#include <limits>

namespace pelago {
namespace {

constexpr qint64 maxHours = 9999;

}  // namespace

QString aiccTime(std::chrono::milliseconds spent)
{
    const qint64 seconds = std::max<qint64>(0, std::chrono::duration_cast<std::chrono::seconds>(spent).count());
    if (seconds / 3600 > maxHours)
        return QStringLiteral("9999:59:59");
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

bool isValidNoteMax(const QString& noteMax)
{
    const QString text = noteMax.trimmed();
    if (text.isEmpty())
        return true;
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    bool number = false;
    const qint64 value = text.toLongLong(&number);
    return number && value <= std::numeric_limits<qint32>::max();
}

QString moduleScore(long passed, long questions, const QString& noteMax)
{
    const QString text = noteMax.trimmed();
    if (text.isEmpty() || !isValidNoteMax(text))
        return {};
    if (questions <= 0)
        return QStringLiteral("0");
    const qint64 right = std::clamp<qint64>(passed, 0, questions);
    return QString::number(right * text.toLongLong() / questions);
}

QString questionScore(long typeReponse, const QString& noteMax)
{
    return typeReponse >= lumaro::BravoNuance ? noteMax.trimmed() : QStringLiteral("0");
}

QString statusWord(const QString& status)
{
    return status == QLatin1String("C") ? QStringLiteral("completed") : QStringLiteral("incomplete");
}

}  // namespace pelago
