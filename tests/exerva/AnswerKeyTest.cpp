#include "KavTestSupport.h"

#include "exerva/AnswerKey.h"

#include "platform/RuntimeError.h"

#include <QHash>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

using exerva::AnswerKey;
using exerva::AnswerKeyLayout;
using exerva::AnswerPattern;
using exerva::EntryReading;

constexpr long readFailure = 23900;
constexpr long scoreFailure = 23901;

AnswerKeyLayout layout(EntryReading target = EntryReading::Text, EntryReading expected = EntryReading::Text)
{
    AnswerKeyLayout made;
    made.unitName = QStringLiteral("KeyTest");
    made.targetReading = target;
    made.expectedReading = expected;
    made.targetArrayName = QStringLiteral("TableauCible");
    made.expectedArrayName = QStringLiteral("TableauValeur");
    made.readFailureState = readFailure;
    made.scoreFailureState = scoreFailure;
    return made;
}

// A response whose child 1 is "CHECKED" holding entries "target=value".
QString pattern(const QString& letter, const QStringList& entries)
{
    QString xml = QStringLiteral("<R><L>%1</L><CHECKED>").arg(letter);
    for (const QString& entry : entries) {
        const QStringList sides = entry.split(QLatin1Char('='));
        xml += QStringLiteral("<E><I>%1</I><V>%2</V></E>").arg(sides.value(0), sides.value(1));
    }
    return xml + QStringLiteral("</CHECKED></R>");
}
QString elseResponse(const QString& letter) { return QStringLiteral("<R><L>%1</L><CHECKED/></R>").arg(letter); }
QString noCheckResponse(const QString& letter) { return QStringLiteral("<R><L>%1</L><NOCHECK/></R>").arg(letter); }
QString key(const QStringList& responses) { return QStringLiteral("<KEY>") + responses.join(QString()) + QStringLiteral("</KEY>"); }

// Scores against an answer given as "target=value" pairs: a pattern matches
// when the answer holds every one of its entries.
long score(AnswerKey& answerKey, bool answered, const QStringList& answer, bool& bravo, QString& letter)
{
    QHash<QString, QString> given;
    for (const QString& pair : answer)
        given.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    return answerKey.TestePoint(bravo, letter, [answered] { return answered; },
                                [&given](const AnswerPattern& candidate) {
                                    for (const auto& entry : candidate.entries)
                                        if (given.value(entry.target) != entry.expected)
                                            return false;
                                    return true;
                                });
}

struct ScoringCase {
    const char* name;
    QStringList responses;
    bool answered;
    QStringList answer;
    bool bravo;
    const char* letter;
};

TEST(AnswerKeyScoring, DecidesInTheSharedOrder)
{
    const ScoringCase cases[] = {
        {"only fallbacks, answered: the else letter",
         {noCheckResponse("N"), elseResponse("E")}, true, {"1=a"}, false, "E"},
        {"not answered: the no-check letter, patterns not tried",
         {pattern("A", {"1=a"}), noCheckResponse("N"), elseResponse("E")}, false, {"1=a"}, false, "N"},
        {"not answered without a no-check letter: scored like an answer",
         {pattern("A", {"1=a"}), elseResponse("E")}, false, {"1=a"}, false, "A"},
        {"two matching patterns: the first one in the file",
         {pattern("B", {"1=a"}), pattern("C", {"1=a", "2=b"}), elseResponse("E")}, true, {"1=a", "2=b"}, false, "B"},
        {"a pattern matches only with all its entries",
         {pattern("B", {"1=a", "2=b"}), pattern("C", {"1=a"}), elseResponse("E")}, true, {"1=a", "2=x"}, false, "C"},
        {"matching pattern 0: Bravo and no letter",
         {pattern("0", {"1=a"}), elseResponse("E")}, true, {"1=a"}, true, ""},
        {"else letter 0: Bravo",
         {pattern("A", {"1=a"}), elseResponse("0")}, true, {"1=z"}, true, ""},
        {"no-check letter 0: Bravo",
         {noCheckResponse("0"), elseResponse("E")}, false, {}, true, ""},
        {"the last no-check response wins",
         {noCheckResponse("M"), noCheckResponse("N")}, false, {}, false, "N"},
        {"the last else response wins",
         {elseResponse("D"), pattern("A", {"1=a"}), elseResponse("E")}, true, {"1=z"}, false, "E"},
        {"no pattern and no fallback: an empty letter, not Bravo",
         {}, true, {"1=a"}, false, ""},
        {"a letter is any text",
         {pattern("Erreur 2", {"1=a"})}, true, {"1=a"}, false, "Erreur 2"},
        {"CHECKED is compared with its case: checked is a no-check response",
         {QStringLiteral("<R><L>N</L><checked><E><I>1</I><V>a</V></E></checked></R>"), elseResponse("E")}, false, {},
         false, "N"},
    };
    for (const ScoringCase& c : cases) {
        SCOPED_TRACE(c.name);
        exerva::ExervaContext context;
        AnswerKey answerKey(context, layout());
        const QDomDocument document = kavtest::xmlDocument(key(c.responses));
        ASSERT_EQ(answerKey.InitXMLReponse(document.documentElement()), 1);
        bool bravo = !c.bravo;
        QString letter = QStringLiteral("stale");
        EXPECT_EQ(score(answerKey, c.answered, c.answer, bravo, letter), 1);
        EXPECT_EQ(bravo, c.bravo);
        EXPECT_EQ(letter, QString::fromUtf8(c.letter));
        EXPECT_EQ(context.pulStateEnCours, 1);
    }
}

TEST(AnswerKeyReading, KeepsPatternsAndEntriesInFileOrder)
{
    exerva::ExervaContext context;
    AnswerKey answerKey(context, layout(EntryReading::WholeNumber, EntryReading::Text));
    const QDomDocument document = kavtest::xmlDocument(
        key({pattern("A", {"3=rouge", "5=vert"}), noCheckResponse("N"), pattern("B", {" 7 =bleu"}), elseResponse("E")}));
    ASSERT_EQ(answerKey.InitXMLReponse(document.documentElement()), 1);

    ASSERT_EQ(answerKey.patterns().size(), 2);
    EXPECT_EQ(answerKey.lastPatternIndex(), 1);
    const AnswerPattern& first = answerKey.patterns().at(0);
    EXPECT_EQ(first.sLettreReponse, QStringLiteral("A"));
    ASSERT_EQ(first.entries.size(), 2);
    EXPECT_EQ(first.entries[0].targetNumber, 3);
    EXPECT_EQ(first.entries[0].expected, QStringLiteral("rouge"));
    EXPECT_EQ(first.entries[1].targetNumber, 5);
    EXPECT_EQ(first.entries[1].expected, QStringLiteral("vert"));
    EXPECT_EQ(answerKey.patterns().at(1).entries.at(0).targetNumber, 7);
    EXPECT_EQ(answerKey.pisErreurNoCheck(), QStringLiteral("N"));
    EXPECT_EQ(answerKey.pisErreurElse(), QStringLiteral("E"));
}

TEST(AnswerKeyReading, ReadingAgainReplacesTheEarlierKey)
{
    exerva::ExervaContext context;
    AnswerKey answerKey(context, layout());
    const QDomDocument first = kavtest::xmlDocument(key({pattern("A", {"1=a"}), noCheckResponse("N"), elseResponse("E")}));
    const QDomDocument second = kavtest::xmlDocument(key({pattern("B", {"1=b"})}));
    ASSERT_EQ(answerKey.InitXMLReponse(first.documentElement()), 1);
    ASSERT_EQ(answerKey.InitXMLReponse(second.documentElement()), 1);
    ASSERT_EQ(answerKey.patterns().size(), 1);
    EXPECT_EQ(answerKey.patterns().at(0).sLettreReponse, QStringLiteral("B"));
    EXPECT_TRUE(answerKey.pisErreurNoCheck().isEmpty());
    EXPECT_TRUE(answerKey.pisErreurElse().isEmpty());
}

TEST(AnswerKeyReading, DescramblesLettersAndExpectedValuesButNeverTargets)
{
    exerva::ExervaContext context;
    context.scrambledTexts = true;
    AnswerKey answerKey(context, layout(EntryReading::Text, EntryReading::WholeNumber));
    using kavtest::scramble;
    const QDomDocument document = kavtest::xmlDocument(
        key({pattern(scramble("0"), {QStringLiteral("item1=") + scramble("1")}), noCheckResponse(scramble("N")),
             elseResponse(scramble("Faux"))}));
    ASSERT_EQ(answerKey.InitXMLReponse(document.documentElement()), 1);
    ASSERT_EQ(answerKey.patterns().size(), 1);
    EXPECT_EQ(answerKey.patterns().at(0).sLettreReponse, QStringLiteral("0"));
    EXPECT_EQ(answerKey.patterns().at(0).entries.at(0).target, QStringLiteral("item1"));
    EXPECT_EQ(answerKey.patterns().at(0).entries.at(0).expectedNumber, 1);
    EXPECT_EQ(answerKey.pisErreurNoCheck(), QStringLiteral("N"));
    EXPECT_EQ(answerKey.pisErreurElse(), QStringLiteral("Faux"));
}

TEST(AnswerKeyReading, FailuresStopTheReadingWithTheirCode)
{
    struct Case {
        const char* name;
        QStringList responses;
        bool scrambled;
        long state;
        int patternsKept;
    };
    const Case cases[] = {
        {"a response with one child", {pattern("A", {"1=1"}), QStringLiteral("<R><L>B</L></R>"), pattern("C", {"2=2"})},
         false, readFailure, 1},
        {"an expected value that is not a number drops its pattern",
         {pattern("A", {"1=1"}), pattern("B", {"2=2", "3=trois"})}, false, readFailure, 1},
        {"a target that is not a number", {pattern("A", {"un=1"})}, false, readFailure, 0},
        {"an entry with one child", {QStringLiteral("<R><L>A</L><CHECKED><E><I>1</I></E></CHECKED></R>")}, false,
         readFailure, 0},
        {"a comment counts as a response", {QStringLiteral("<!-- note -->"), elseResponse("E")}, false, readFailure, 0},
        {"a scrambled letter that is not hexadecimal", {pattern("zz6364656667", {"1=1"})}, true, 23020, 0},
        {"a scrambled expected value too short", {pattern(kavtest::scramble("A"), {"1=7"})}, true, 23021, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kavtest::TracedContext traced;
        traced.context.scrambledTexts = c.scrambled;
        AnswerKey answerKey(traced.context, layout(EntryReading::WholeNumber, EntryReading::WholeNumber));
        const QDomDocument document = kavtest::xmlDocument(key(c.responses));
        EXPECT_EQ(answerKey.InitXMLReponse(document.documentElement()), c.state);
        EXPECT_EQ(traced.context.pulStateEnCours, c.state);
        EXPECT_EQ(answerKey.patterns().size(), c.patternsKept);
        EXPECT_NE(traced.context.lastError.number(), 0);
        EXPECT_TRUE(traced.hasErrorLine());
    }
}

TEST(AnswerKeyScoring, AFailingComparisonEndsWithTheControlsCode)
{
    kavtest::TracedContext traced;
    AnswerKey answerKey(traced.context, layout());
    const QDomDocument document = kavtest::xmlDocument(key({pattern("A", {"1=a"}), elseResponse("E")}));
    ASSERT_EQ(answerKey.InitXMLReponse(document.documentElement()), 1);
    bool bravo = true;
    QString letter = QStringLiteral("stale");
    const long state = answerKey.TestePoint(bravo, letter, [] { return true; }, [](const AnswerPattern&) -> bool {
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    });
    EXPECT_EQ(state, scoreFailure);
    EXPECT_EQ(traced.context.pulStateEnCours, scoreFailure);
    EXPECT_TRUE(bravo) << "left as it was";
    EXPECT_TRUE(letter.isEmpty());
    EXPECT_EQ(traced.context.lastError.number(), platform::SubscriptOutOfRange);
    EXPECT_TRUE(traced.hasErrorLine(9));
}

TEST(AnswerKeyTrace, WritesTheReadingAndTheOutcome)
{
    kavtest::TracedContext traced;
    AnswerKeyLayout traced_layout = layout(EntryReading::Text, EntryReading::WholeNumber);
    traced_layout.traceDecisions = true;
    AnswerKey answerKey(traced.context, traced_layout);
    const QDomDocument document =
        kavtest::xmlDocument(key({pattern("0", {"c1=1"}), noCheckResponse("N"), elseResponse("E")}));
    ASSERT_EQ(answerKey.InitXMLReponse(document.documentElement()), 1);
    bool bravo = false;
    QString letter;
    score(answerKey, true, {"c1=1"}, bravo, letter);
    score(answerKey, false, {}, bravo, letter);
    score(answerKey, true, {"c1=0"}, bravo, letter);

    const QString trace = traced.traceText();
    for (const char* line : {"Public Function InitXMLReponse", "sLettreReponse = 0", "piatReponse(0).TableauValeur(0) = 1",
                             "piatReponse(0).TableauCible(0) = c1", "pisErreurNoCheck = N", "pisErreurElse = E",
                             "state en sortie = 1", "Public Function TestePoint", "iobBravo = True",
                             "Bravo = True ; LettreReponse = <BR>", "iosLettreReponse = pisErreurNoCheck",
                             "Bravo = False ; LettreReponse = N", "iosLettreReponse = pisErreurElse",
                             "Bravo = False ; LettreReponse = E"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

}  // namespace
