#include "PropertyArgument.h"

#include "exerva/NumberText.h"

#include "platform/RuntimeError.h"

#include <cmath>
#include <limits>

namespace exerva {

long longArgument(const QVariantList& arguments)
{
    if (arguments.size() != 1)
        throw platform::RuntimeError(platform::InvalidProcedureCall);
    const QVariant& value = arguments.front();
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::QString:
        return wholeNumberFromText(value.toString());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: {
        const double rounded = std::nearbyint(value.toDouble());
        if (!(rounded >= double(std::numeric_limits<qint32>::min()) &&
              rounded <= double(std::numeric_limits<quint32>::max())))
            throw platform::RuntimeError(platform::Overflow);
        // Colour numbers written unsigned (2147483653 for 0x80000005) keep their 32-bit pattern.
        return long(qint32(quint32(qint64(rounded))));
    }
    default:
        throw platform::RuntimeError(platform::TypeMismatch);
    }
}

}  // namespace exerva
