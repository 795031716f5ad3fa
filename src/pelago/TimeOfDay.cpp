#include "TimeOfDay.h"

#include <QTime>

namespace pelago {

std::optional<std::chrono::milliseconds> timeOfDay(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const QString& format : {QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime time = QTime::fromString(trimmed, format);
        if (time.isValid())
            return std::chrono::milliseconds(time.msecsSinceStartOfDay());
    }
    return std::nullopt;
}

}  // namespace pelago
