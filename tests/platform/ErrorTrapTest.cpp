// The one error trap: what an operation's body throws comes back as the
// run-time error its failure handling works with, and nothing escapes.

#include "platform/ErrorTrap.h"
#include "platform/LastError.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

using platform::RuntimeError;
using platform::trapError;

TEST(ErrorTrapTest, TurnsWhatTheBodyThrowsIntoTheRunTimeErrorTheCallerNames)
{
    struct Case {
        const char* name;
        long otherNumber;
        std::function<void()> body;
        long number;
        QString text;
    };
    const Case cases[] = {
        {"run-time error as it is", platform::AutomationError,
         [] { throw RuntimeError(platform::FileNotFound, "absent.xml"); }, platform::FileNotFound, "absent.xml"},
        {"out of memory", platform::AutomationError, [] { throw std::bad_alloc(); }, platform::OutOfMemory,
         "Out of memory"},
        {"component failure", platform::AutomationError, [] { throw std::runtime_error("component failure"); },
         platform::AutomationError, "Automation error: component failure"},
        {"engine failure", platform::InvalidProcedureCall, [] { throw std::logic_error("état"); },
         platform::InvalidProcedureCall, "Invalid procedure call or argument: état"},
        {"exception without a message", platform::AutomationError, [] { throw std::runtime_error(""); },
         platform::AutomationError, "Automation error"},
        {"not an exception", platform::InvalidProcedureCall, [] { throw 42; }, platform::InvalidProcedureCall,
         "Invalid procedure call or argument"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto error = trapError(c.otherNumber, c.body);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number(), c.number);
        EXPECT_EQ(error->text(), c.text);
    }
}

TEST(ErrorTrapTest, ABodyThatEndsNormallyGivesNoError)
{
    int runs = 0;
    EXPECT_FALSE(trapError(platform::AutomationError, [&] { ++runs; }).has_value());
    EXPECT_EQ(runs, 1);
}

TEST(LastErrorTest, EachPartIsReadOnceOnItsOwn)
{
    platform::LastError last;
    last.store(RuntimeError(platform::SubscriptOutOfRange));
    EXPECT_EQ(last.number(), platform::SubscriptOutOfRange);
    EXPECT_EQ(last.takeNumber(), platform::SubscriptOutOfRange);
    EXPECT_EQ(last.takeNumber(), 0);
    EXPECT_EQ(last.takeText(), "Subscript out of range");
    EXPECT_EQ(last.takeText(), QString());

    last.store(0, "Composant absent.");
    EXPECT_EQ(last.takeText(), "Composant absent.");
    EXPECT_EQ(last.takeNumber(), 0);
}

}  // namespace
