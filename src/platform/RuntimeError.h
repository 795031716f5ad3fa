#pragma once

#include <QString>

#include <exception>
#include <string>

namespace platform {

// Run-time error numbers the system's failure handling tells apart.
enum RuntimeErrorNumber : long {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    OutOfStackSpace = 28,
    BadFileName = 52,
    FileNotFound = 53,
    ObjectNotSet = 91,
    InvalidUseOfNull = 94,
    InvalidPropertyValue = 380,
    ObjectRequired = 424,
    CannotCreateObject = 429,
    MemberNotSupported = 438,
    // A call into a foreign object (a component, a page) that failed in its own way.
    AutomationError = 440,
    WrongArgumentCount = 450,
    DuplicateKey = 457,
};

// The standard text of a run-time error number ("" for numbers without one).
QString runtimeErrorText(long number);

// An unexpected run-time error, carrying its number and text. Thrown inside an
// operation and caught by that operation's own handler, never beyond it.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(long number);
    RuntimeError(long number, QString text);

    long number() const noexcept { return number_; }
    const QString& text() const noexcept { return text_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    long number_;
    QString text_;
    std::string what_;
};

// A missing object is checked before use: raises error 91 instead of dereferencing null.
template <typename Pointer>
auto& require(const Pointer& object)
{
    if (!object)
        throw RuntimeError(ObjectNotSet);
    return *object;
}

}  // namespace platform
