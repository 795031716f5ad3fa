#include "NumberText.h"

#include "platform/RuntimeError.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace exerva {

double numberFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        const QString digits = trimmed.mid(2);
        // Hexadecimal digits only: no sign, no space, which the parser below would take.
        const bool allHex = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        });
        bool ok = false;
        const qlonglong value = digits.toLongLong(&ok, 16);
        if (!ok || !allHex || trimmed.size() > 10)
            throw platform::RuntimeError(platform::TypeMismatch);
        // Up to eight hexadecimal digits make a 32-bit Long, so &HFFFFFFFF is -1.
        return double(qint32(quint32(value)));
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        throw platform::RuntimeError(platform::TypeMismatch);
    return value;
}

long wholeNumberFromText(const QString& text)
{
    const double rounded = std::nearbyint(numberFromText(text));
    if (rounded < double(std::numeric_limits<qint32>::min()) || rounded > double(std::numeric_limits<qint32>::max()))
        throw platform::RuntimeError(platform::Overflow);
    return long(rounded);
}

}  // namespace exerva
