#include "BooleanText.h"

#include "NumberText.h"

namespace exerva {

bool booleanFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return numberFromText(trimmed) != 0.0;
}

QString booleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

}  // namespace exerva
