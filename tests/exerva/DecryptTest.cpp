#include "KavTestSupport.h"

#include "exerva/Decrypt.h"

#include <gtest/gtest.h>

namespace {

using exerva::puDecrypt;

TEST(Descrambling, GivesBackWhatTheAuthoringToolScrambled)
{
    for (const QString& text : {QStringLiteral("chat"), QStringLiteral("Éléphant à l'été"), QStringLiteral("0")}) {
        kavtest::TracedContext traced;
        QString scrambled = kavtest::scramble(text);
        QString result;
        EXPECT_EQ(puDecrypt(traced.context, scrambled, result), 1);
        EXPECT_EQ(result, text);
        EXPECT_EQ(traced.context.pulStateEnCours, 1);
    }
}

TEST(Descrambling, TrimsTheTextInPlace)
{
    exerva::ExervaContext context;
    QString scrambled = QStringLiteral("  ") + kavtest::scramble(QStringLiteral("ok")) + QStringLiteral(" ");
    QString result;
    EXPECT_EQ(puDecrypt(context, scrambled, result), 1);
    EXPECT_EQ(result, QStringLiteral("ok"));
    EXPECT_EQ(scrambled, kavtest::scramble(QStringLiteral("ok")));
}

TEST(Descrambling, ByLength)
{
    struct Case {
        const char* input;
        long state;
        int characters;
    };
    const Case cases[] = {
        {"6162", 1, 0},             // one pair
        {"616263", 1, 0},           // three pairs: the last three codes carry nothing
        {"61626364", 1, 1},         // four pairs: one character
        {"6162636", 1, 1},          // an odd length counts its last half pair as a code
        {"6", 23021, 0},            // shorter than a pair
        {"", 23021, 0},
        {"   ", 23021, 0},
        {"6162zz64", 23020, 0},     // not hexadecimal
        {"61 2636465", 23020, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        kavtest::TracedContext traced;
        QString input = QString::fromLatin1(c.input);
        QString result = QStringLiteral("stale");
        EXPECT_EQ(puDecrypt(traced.context, input, result), c.state);
        EXPECT_EQ(traced.context.pulStateEnCours, c.state);
        EXPECT_EQ(result.size(), c.characters);
        if (c.state != 1) {
            EXPECT_NE(traced.context.lastError.number(), 0);
            EXPECT_TRUE(traced.hasErrorLine());
        }
    }
}

TEST(Descrambling, TracesTheTextItWasGiven)
{
    kavtest::TracedContext traced;
    QString input = QStringLiteral("61626364");
    QString result;
    puDecrypt(traced.context, input, result);
    const QString trace = traced.traceText();
    EXPECT_TRUE(trace.contains(QStringLiteral("Public Function puDecrypt")));
    EXPECT_TRUE(trace.contains(QStringLiteral("isTextToDecrypt = 61626364")));
}

}  // namespace
