#include "PropertyArgument.h"

#include "exerva/BooleanText.h"
#include "exerva/NumberText.h"
#include "exerva/VariantValue.h"

#include "platform/RuntimeError.h"

#include <cmath>
#include <limits>

namespace exerva {

long longArgument(const QVariantList& arguments)
{
    if (arguments.size() != 1)
        throw platform::RuntimeError(platform::InvalidProcedureCall);
    const QVariant& value = arguments.front();
    const int type = value.typeId();
    if (type == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    if (type == QMetaType::QString)
        return wholeNumberFromText(value.toString());
    if (!isWholeNumberType(type) && type != QMetaType::Double && type != QMetaType::Float)
        throw platform::RuntimeError(platform::TypeMismatch);
    const double rounded = std::nearbyint(value.toDouble());
    if (!(rounded >= double(std::numeric_limits<qint32>::min())
          && rounded <= double(std::numeric_limits<quint32>::max())))
        throw platform::RuntimeError(platform::Overflow);
    // Colour numbers written unsigned (2147483653 for 0x80000005) keep their 32-bit pattern.
    return long(qint32(quint32(qint64(rounded))));
}

long booleanArgument(const QVariantList& arguments)
{
    if (arguments.size() == 1 && arguments.front().typeId() == QMetaType::QString)
        return booleanFromText(arguments.front().toString()) ? -1 : 0;
    return longArgument(arguments);
}

long pixelSizeArgument(const QVariantList& arguments)
{
    const long value = longArgument(arguments);
    if (value < 0)
        throwInvalidPropertyValue();
    return value;
}

void throwInvalidPropertyValue()
{
    throw platform::RuntimeError(platform::InvalidPropertyValue);
}

}  // namespace exerva
