#include "exerva/NumberText.h"
#include "exerva/OleColor.h"
#include "exerva/controls/PropertyArgument.h"

#include "platform/RuntimeError.h"

#include <QGuiApplication>
#include <QPalette>
#include <QVariant>

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(OleColor, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(exerva::oleColorToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(exerva::oleColorToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(exerva::oleColorToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(exerva::oleColorToQColor(0), QColor(0, 0, 0));
}

TEST(OleColor, SystemColoursFollowThePalette)
{
    const QPalette palette = QGuiApplication::palette();
    // Written as a negative Long or unsigned, the number names the same colour.
    EXPECT_EQ(exerva::oleColorToQColor(exerva::systemColorNumber(5)), palette.color(QPalette::Base));
    EXPECT_EQ(exerva::oleColorToQColor(-2147483643L), palette.color(QPalette::Base));
    EXPECT_EQ(exerva::oleColorToQColor(2147483653L), palette.color(QPalette::Base));
    EXPECT_EQ(exerva::oleColorToQColor(exerva::systemColorNumber(8)), palette.color(QPalette::Text));
    EXPECT_EQ(exerva::oleColorToQColor(exerva::systemColorNumber(15)), palette.color(QPalette::Button));
    EXPECT_EQ(exerva::oleColorToQColor(exerva::systemColorNumber(18)), palette.color(QPalette::ButtonText));
    EXPECT_EQ(exerva::oleColorToQColor(exerva::systemColorNumber(99)), QColor(0, 0, 0));
}

TEST(NumberText, ReadsWholeNumbersAsTheFilesMeanThem)
{
    struct Case {
        const char* text;
        std::optional<long> value;
        long error;
    };
    const Case cases[] = {
        {"12", 12, 0},       {" -7 ", -7, 0},    {"2.5", 2, 0},  {"3.5", 4, 0},
        {"&H1F", 31, 0},     {"&HFFFFFFFF", -1, 0},
        {"", {}, platform::TypeMismatch},       {"12a", {}, platform::TypeMismatch},
        {"&H", {}, platform::TypeMismatch},     {"2147483648", {}, platform::Overflow},
        {"&H-1", {}, platform::TypeMismatch},   {"&H 1F", {}, platform::TypeMismatch},
        {"&H+1F", {}, platform::TypeMismatch},  {"inf", {}, platform::TypeMismatch},
        {"1e300", {}, platform::Overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            const long value = exerva::wholeNumberFromText(QString::fromLatin1(c.text));
            ASSERT_TRUE(c.value.has_value()) << "no error";
            EXPECT_EQ(value, *c.value);
        } catch (const platform::RuntimeError& error) {
            EXPECT_FALSE(c.value.has_value());
            EXPECT_EQ(error.number(), c.error);
        }
    }
}

TEST(PropertyArgument, ReadsTheLetValueAsALong)
{
    struct Case {
        const char* name;
        QVariantList arguments;
        std::optional<long> value;
        long error;
    };
    const Case cases[] = {
        {"int", {12}, 12, 0},
        {"text holding a number", {QStringLiteral("24")}, 24, 0},
        {"Boolean", {true}, -1, 0},
        {"double rounded half to even", {2.5}, 2, 0},
        {"system colour written unsigned", {qlonglong(2147483663LL)}, exerva::systemColorNumber(15), 0},
        {"text", {QStringLiteral("rouge")}, {}, platform::TypeMismatch},
        {"beyond 32 bits", {qlonglong(1) << 33}, {}, platform::Overflow},
        {"no argument", {}, {}, platform::InvalidProcedureCall},
        {"two arguments", {1, 2}, {}, platform::InvalidProcedureCall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const long value = exerva::longArgument(c.arguments);
            ASSERT_TRUE(c.value.has_value()) << "no error";
            EXPECT_EQ(value, *c.value);
        } catch (const platform::RuntimeError& error) {
            EXPECT_FALSE(c.value.has_value());
            EXPECT_EQ(error.number(), c.error);
        }
    }
}

}  // namespace
