#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <optional>

class QWebEnginePage;

namespace exerva {

// A call by name on a JavaScript object of a page shown in a browser: the
// object is reached from the page's `document` through a chain of property
// reads, then one of its members is called, read or assigned with the call
// type of an exercise file (1 method, 2 property get, 4 property let, 8
// property set).
struct PageCall {
    QStringList chain;
    QString member;
    long callType = 0;
    std::optional<QString> argument;
};

// What a page member gave back, as the original's automation variant saw it.
struct PageValue {
    enum Kind { Empty, Null, Boolean, Number, Text, Object };
    Kind kind = Empty;
    QVariant value;
};

// True for a plain JavaScript identifier: a letter, "_" or "$", then letters,
// digits, "_" or "$" (ASCII only). Member names from exercise files must be one.
bool isScriptIdentifier(const QString& name);

// The script that makes the call and reports its outcome as a small object.
// Names and the argument travel as a JSON literal, never as script text.
// Throws platform::RuntimeError 438 when a name is not an identifier and 5 for
// a call type other than 1, 2, 4 or 8.
QString pageCallScript(const PageCall& call);

// Reads the outcome object of pageCallScript. Throws the page's error as a
// platform::RuntimeError: 91 a link that is not set, 424 a link that is not an
// object, 438 a missing member, 450 a let without a value or a get with an
// argument on a member that is not a function, 6 a number that is not finite,
// 440 an exception raised by the page or an outcome that is not one.
PageValue pageValueFromOutcome(const QVariant& outcome);

// The value converted as the original's Boolean conversion did: Empty is False,
// a number is True unless 0, a text is read by booleanFromText. Throws
// platform::RuntimeError 94 for Null and 13 for an object or a text that is
// not a Boolean.
bool pageValueToBoolean(const PageValue& value);

// The value as text: Empty is "", Booleans "True"/"False", numbers in their
// shortest form. Throws platform::RuntimeError 94 for Null and 13 for an object.
QString pageValueToText(const PageValue& value);

// Runs the script in the page's own world and waits for its result, letting
// events run meanwhile. Throws platform::RuntimeError 440 when no result came
// within the time-out or the page went away while waiting.
QVariant runPageScript(QWebEnginePage& page, const QString& script, std::chrono::milliseconds timeout);

}  // namespace exerva
