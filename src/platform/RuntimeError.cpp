#include "RuntimeError.h"

namespace platform {

QString runtimeErrorText(long number)
{
    switch (number) {
    case InvalidProcedureCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case OutOfMemory: return QStringLiteral("Out of memory");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case OutOfStackSpace: return QStringLiteral("Out of stack space");
    case BadFileName: return QStringLiteral("Bad file name or number");
    case FileNotFound: return QStringLiteral("File not found");
    case ObjectNotSet: return QStringLiteral("Object variable or With block variable not set");
    case InvalidUseOfNull: return QStringLiteral("Invalid use of Null");
    case InvalidPropertyValue: return QStringLiteral("Invalid property value");
    case ObjectRequired: return QStringLiteral("Object required");
    case CannotCreateObject: return QStringLiteral("Component can't create object");
    case MemberNotSupported: return QStringLiteral("Object doesn't support this property or method");
    case AutomationError: return QStringLiteral("Automation error");
    case WrongArgumentCount: return QStringLiteral("Wrong number of arguments or invalid property assignment");
    case DuplicateKey: return QStringLiteral("This key is already associated with an element of this collection");
    default: return {};
    }
}

RuntimeError::RuntimeError(long number) : RuntimeError(number, runtimeErrorText(number)) {}

RuntimeError::RuntimeError(long number, QString text)
    : number_(number), text_(std::move(text)), what_(QString::number(number).append(" : ").append(text_).toStdString())
{
}

}  // namespace platform
