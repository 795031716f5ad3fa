// The web service's reply records: the split rules, the status markers, the
// error form and the numbers read from fields.

#include "TracedSession.h"

#include "platform/RuntimeError.h"
#include "platform/TextCodec.h"
#include "toolkit/ReplyRecords.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using toolkit::ReplyRecords;
using toolkit::ReplyStatus;

struct SplitCase {
    const char* name;
    QString text;
    QChar separator;
    QStringList expected;

    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, GivesTheElementsAsWritten)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(toolkit::splitReplyText(c.text, c.separator), c.expected);
}

const QChar bar = toolkit::replyElementSeparator;
const QChar caret = toolkit::replyFieldSeparator;
const QChar currency = toolkit::replySubFieldSeparator;

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitTest,
    ::testing::Values(
        SplitCase{"EmptyTextGivesNoElement", QString(), bar, {}},
        SplitCase{"TextWithoutSeparatorGivesOne", QStringLiteral("abc"), caret, {QStringLiteral("abc")}},
        SplitCase{"AdjacentSeparatorsGiveAnEmptyElement", QStringLiteral("a^^b"), caret,
                  {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        SplitCase{"LoneSeparatorGivesTwoEmptyElements", QStringLiteral("|"), bar, {QString(), QString()}},
        SplitCase{"NothingIsTrimmed", QStringLiteral(" a |b\r\n"), bar,
                  {QStringLiteral(" a "), QStringLiteral("b\r\n")}},
        SplitCase{"OtherLevelsStayInTheirElement", QStringLiteral("1^a\u00A4b|2"), bar,
                  {QStringLiteral("1^a\u00A4b"), QStringLiteral("2")}},
        SplitCase{"CurrencySignSplitsTheThirdLevel", QStringLiteral("00:00:05\u00A4<VIDEO/>\u00A41"), currency,
                  {QStringLiteral("00:00:05"), QStringLiteral("<VIDEO/>"), QStringLiteral("1")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyRecordsTest, CurrencySignIsTheSameInWindows1252AndUtf8Replies)
{
    const QString fromLegacy = platform::decodeWindows1252(QByteArray("A\xA4" "1\xA4" "Bravo"));
    const QString fromUtf8 = QString::fromUtf8("A\xC2\xA4" "1\xC2\xA4" "Bravo");
    const QStringList expected{QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("Bravo")};
    EXPECT_EQ(toolkit::splitReplyText(fromLegacy, currency), expected);
    EXPECT_EQ(toolkit::splitReplyText(fromUtf8, currency), expected);
}

struct StatusCase {
    const char* name;
    QString reply;
    ReplyStatus status;
    qsizetype count;

    friend void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }
};

class StatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusTest, MarkerIsComparedExactly)
{
    const StatusCase& c = GetParam();
    const ReplyRecords reply(c.reply);
    EXPECT_EQ(reply.status(), c.status);
    EXPECT_EQ(reply.count(), c.count);
    EXPECT_EQ(reply.boundsLine(), QStringLiteral("lMin = 0 ; lMax = ") + QString::number(c.count - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Markers, StatusTest,
    ::testing::Values(StatusCase{"OkAlone", QStringLiteral("#KAV_OK#"), ReplyStatus::Ok, 1},
                      StatusCase{"OkWithRecords", QStringLiteral("#KAV_OK#|1^a|2^b"), ReplyStatus::Ok, 3},
                      StatusCase{"Error", QStringLiteral("#KAV_ERREUR#|1|2|x"), ReplyStatus::Error, 4},
                      StatusCase{"OtherCase", QStringLiteral("#kav_ok#|1"), ReplyStatus::Unrecognised, 2},
                      StatusCase{"MarkerWithBlank", QStringLiteral("#KAV_OK# |1"), ReplyStatus::Unrecognised, 2},
                      StatusCase{"MarkerWithLineBreak", QStringLiteral("#KAV_OK#\r\n"), ReplyStatus::Unrecognised,
                                 1},
                      StatusCase{"Page", QStringLiteral("<html><body>Erreur</body></html>"),
                                 ReplyStatus::Unrecognised, 1},
                      StatusCase{"Empty", QString(), ReplyStatus::Unrecognised, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyRecordsTest, ReadingPastTheLastElementRaisesError9)
{
    const ReplyRecords reply(QStringLiteral("#KAV_OK#|a"));
    EXPECT_EQ(reply.element(1), QStringLiteral("a"));
    for (const qsizetype index : {qsizetype(-1), qsizetype(2)}) {
        try {
            (void)reply.element(index);
            ADD_FAILURE() << index;
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::SubscriptOutOfRange);
        }
    }
    EXPECT_NO_THROW(reply.require(2));
    EXPECT_THROW(reply.require(3), platform::RuntimeError);
    EXPECT_THROW(ReplyRecords(QString()).element(0), platform::RuntimeError);
}

struct ErrorCase {
    const char* name;
    QString reply;
    long step;  // what the state's step code holds after, for a loader whose code is 21046
    long number;
    QString text;
    QStringList lines;  // trace lines written, in order

    friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

class ErrorFormTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorFormTest, LeavesStepNumberTextAndItsLines)
{
    const ErrorCase& c = GetParam();
    commontest::TracedSession traced;
    traced.state.pulStateEnCours = 1;
    traced.state.pulErrorNumber = 77;
    traced.state.pusErrorDescription = QStringLiteral("avant");
    {
        const tracel::TraceScope scope(traced.state.trace, tracel::TypeClass, QStringLiteral("clsBarreManager"),
                                       QStringLiteral("Private Function piRenseigneQuestionDuModule"));
        toolkit::recordServerReply(traced.state, ReplyRecords(c.reply), 21046, scope);
    }
    EXPECT_EQ(traced.state.pulStateEnCours, c.step);
    EXPECT_EQ(traced.state.pulErrorNumber, c.number);
    EXPECT_EQ(traced.state.pusErrorDescription, c.text);
    const QString trace = traced.traceText();
    qsizetype from = 0;
    for (QString line : c.lines) {
        // The trace turns its error marker into an anchor; the rest of the line stays.
        line.remove(QStringLiteral("erreur kav"));
        const qsizetype at = trace.indexOf(line, from);
        EXPECT_GE(at, from) << line.toStdString();
        from = at < 0 ? from : at + line.size();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ErrorFormTest,
    ::testing::Values(
        ErrorCase{"NumbersTaken",
                  QStringLiteral("#KAV_ERREUR#|21100|-2147217900|Session expirée|ligne 1|ligne 2"),
                  21100,
                  -2147217900,
                  QStringLiteral("Session expirée"),
                  {QStringLiteral("erreur kav 21100 ; -2147217900 : Session expirée"), QStringLiteral("ligne 1"),
                   QStringLiteral("ligne 2")}},
        ErrorCase{"NonNumericFieldsFallBack",
                  QStringLiteral("#KAV_ERREUR#|étape|x12|Erreur"),
                  21046,
                  0,
                  QStringLiteral("Erreur"),
                  {QStringLiteral("erreur kav 21046 ; 0 : Erreur")}},
        ErrorCase{"EmptyFieldsFallBack", QStringLiteral("#KAV_ERREUR#|||"), 21046, 0, QString(),
                  {QStringLiteral("erreur kav 21046 ; 0 : ")}},
        ErrorCase{"Unrecognised", QStringLiteral("#kav_erreur#|5|6|x"), 21046, 0, QString(),
                  {QStringLiteral("erreur kav 21046")}},
        ErrorCase{"Empty", QString(), 21046, 0, QString(), {QStringLiteral("erreur kav 21046")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyRecordsTest, ShortErrorReplyRaisesError9AndLeavesTheStateAlone)
{
    for (const QString& text : {QStringLiteral("#KAV_ERREUR#"), QStringLiteral("#KAV_ERREUR#|21100|5")}) {
        commontest::TracedSession traced(0);
        traced.state.pulStateEnCours = 21026;
        const tracel::TraceScope scope(traced.state.trace, tracel::TypeClass, QStringLiteral("m"),
                                       QStringLiteral("d"));
        try {
            toolkit::recordServerReply(traced.state, ReplyRecords(text), 21046, scope);
            ADD_FAILURE() << text.toStdString();
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::SubscriptOutOfRange);
        }
        EXPECT_EQ(traced.state.pulStateEnCours, 21026);
        EXPECT_EQ(traced.state.pulErrorNumber, 0);
    }
}

struct NumberCase {
    const char* field;
    std::optional<long> whole;  // nothing: error 13
    long lax;

    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.field << '"'; }
};

class NumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTest, WholeAndLaxReadings)
{
    const NumberCase& c = GetParam();
    const QString field = QString::fromUtf8(c.field);
    EXPECT_EQ(toolkit::replyNumericValue(field), c.whole);
    if (c.whole) {
        EXPECT_EQ(toolkit::replyWholeNumber(field), *c.whole);
    } else {
        try {
            (void)toolkit::replyWholeNumber(field);
            ADD_FAILURE();
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::TypeMismatch);
        }
    }
    EXPECT_EQ(toolkit::replyLaxNumber(field), c.lax);
}

INSTANTIATE_TEST_SUITE_P(Fields, NumberTest,
                         ::testing::Values(NumberCase{"1211", 1211, 1211}, NumberCase{"-7", -7, -7},
                                           NumberCase{" 42 ", 42, 42}, NumberCase{"2.5", 2, 2},
                                           NumberCase{"3.5", 4, 4}, NumberCase{"", std::nullopt, 0},
                                           NumberCase{"abc", std::nullopt, 0},
                                           NumberCase{"12abc", std::nullopt, 12},
                                           NumberCase{"1 2", std::nullopt, 12},
                                           NumberCase{"\t-3x", std::nullopt, -3},
                                           NumberCase{"1e2", std::nullopt, 100}),
                         [](const auto& info) { return testsupport::caseName(QString::fromUtf8(info.param.field)); });

TEST(ReplyRecordsTest, NumbersBeyond32BitsOverflow)
{
    for (const QString& field : {QStringLiteral("2147483648"), QStringLiteral("-2147483649")}) {
        try {
            (void)toolkit::replyWholeNumber(field);
            ADD_FAILURE() << field.toStdString();
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::Overflow);
        }
        EXPECT_EQ(toolkit::replyNumericValue(field), std::nullopt);
        EXPECT_THROW((void)toolkit::replyLaxNumber(field), platform::RuntimeError);
    }
    EXPECT_EQ(toolkit::replyWholeNumber(QStringLiteral("2147483647")), 2147483647);
}

}  // namespace
