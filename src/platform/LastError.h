#pragma once

#include "platform/RuntimeError.h"

#include <QString>

#include <utility>

namespace platform {

// The last run-time error a component caught, as its callers read it: once.
// Each reading hands the value back and puts the neutral one (0, "") in its
// place, so that a later failure is never taken for an old one.
class LastError {
public:
    void store(const RuntimeError& error) { store(error.number(), error.text()); }
    void store(long number, QString text)
    {
        number_ = number;
        text_ = std::move(text);
    }

    long takeNumber() { return std::exchange(number_, 0); }
    QString takeText() { return std::exchange(text_, QString()); }

    // What is stored, left in place: for the component's own decisions.
    long number() const { return number_; }
    const QString& text() const { return text_; }

private:
    long number_ = 0;
    QString text_;
};

}  // namespace platform
