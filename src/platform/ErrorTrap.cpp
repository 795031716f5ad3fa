#include "ErrorTrap.h"

#include <exception>
#include <new>

namespace platform::detail {

RuntimeError caughtError(long otherNumber) noexcept
{
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(OutOfMemory);
    } catch (const std::exception& error) {
        const QString message = QString::fromLocal8Bit(error.what());
        QString text = runtimeErrorText(otherNumber);
        if (!message.isEmpty())
            text += QStringLiteral(": ") + message;
        return RuntimeError(otherNumber, text);
    } catch (...) {
        return RuntimeError(otherNumber);
    }
}

}  // namespace platform::detail
