#include "VariantValue.h"

#include "BooleanText.h"
#include "NumberText.h"

#include "platform/RuntimeError.h"

#include <QLocale>

namespace exerva {

bool isWholeNumberType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString variantText(const QVariant& value)
{
    if (!value.isValid())
        return {};
    const int type = value.typeId();
    if (type == QMetaType::Bool)
        return booleanText(value.toBool());
    if (isWholeNumberType(type))
        return type == QMetaType::ULongLong ? QString::number(value.toULongLong()) : QString::number(value.toLongLong());
    if (type == QMetaType::Double || type == QMetaType::Float)
        return QLocale::c().toString(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (type == QMetaType::QString)
        return value.toString();
    throw platform::RuntimeError(platform::TypeMismatch);
}

long variantWholeNumber(const QVariant& value)
{
    if (!value.isValid())
        return 0;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    return wholeNumberFromText(variantText(value));
}

}  // namespace exerva
