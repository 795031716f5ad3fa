// CALLBYNAME nodes applied to a window's controls, the path syntax and the
// ready-state handler's states other than complete.

#include "RecordingControl.h"

#include "exerva/ExerciseLoader.h"
#include "exerva/ExervaContext.h"
#include "exerva/PathSyntax.h"
#include "exerva/ZoneLoader.h"
#include "exerva/frmCT.h"

#include <QDomDocument>

#include <gtest/gtest.h>

namespace exerva_test {
namespace {

class CallByNameTest : public ::testing::Test {
protected:
    CallByNameTest()
    {
        auto control = std::unique_ptr<exerva::ExerciseControl>(registry->create(recordingIdentifier, context, &window));
        window.addControl(QStringLiteral("Q1"), std::move(control));
    }

    // Applies the CALLBYNAME node written as XML.
    long apply(const QString& xml, QString* handedBack = nullptr)
    {
        QDomDocument document;
        EXPECT_TRUE(document.setContent(xml)) << xml.toStdString();
        QString value;
        const long state = exerva::piApplyCallByname(context, &window, document.documentElement(), value);
        if (handedBack)
            *handedBack = value;
        return state;
    }

    static QString call(const QString& member, const QString& callType, const QString& kind, const QString& argument)
    {
        return QStringLiteral("<CALLBYNAME><ID>Q1</ID><P>%1</P><T>%2</T><A><K>%3</K>%4</A></CALLBYNAME>")
            .arg(member, callType, kind, argument);
    }

    exerva::ExervaContext context;
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    std::unique_ptr<exerva::ControlRegistry> registry = makeTestRegistry(log);
    exerva::frmCT window;
};

TEST_F(CallByNameTest, KindOneValueIsAWholeNumberWhenNumeric)
{
    struct Case {
        const char* text;
        QVariant passed;
    };
    const Case cases[] = {
        {"12", QVariant::fromValue<long>(12)},
        {" 12 ", QVariant::fromValue<long>(12)},
        {"12.5", QVariant::fromValue<long>(12)},   // ties go to the even neighbour
        {"13.5", QVariant::fromValue<long>(14)},
        {"-3", QVariant::fromValue<long>(-3)},
        {"12a", QStringLiteral("12a")},
        {"douze", QStringLiteral("douze")},
    };
    for (const Case& c : cases) {
        log->calls.clear();
        QString handedBack;
        const QString value = QStringLiteral("<V>%1</V>").arg(QString::fromUtf8(c.text));
        ASSERT_EQ(apply(call("Echo", "1", "1", value), &handedBack), 1) << c.text;
        ASSERT_EQ(log->calls.size(), 1);
        const QVariant passed = log->calls[0].arguments.value(0);
        EXPECT_EQ(passed.typeId(), c.passed.typeId()) << c.text;
        EXPECT_EQ(passed, c.passed) << c.text;
        // The member's result comes back as text.
        EXPECT_EQ(handedBack, c.passed.toString()) << c.text;
    }
}

TEST_F(CallByNameTest, ResultWithoutTextFailsTheCall)
{
    QString handedBack;
    ASSERT_EQ(apply(call("Caption", "4", "1", "<V>Titre</V>"), &handedBack), 1);
    EXPECT_EQ(handedBack, QString()) << "a property let hands nothing back";
    EXPECT_EQ(apply(call("NodeResult", "1", "1", "<V>x</V>")), 23018);
    EXPECT_EQ(context.lastError.number(), 13);
}

TEST_F(CallByNameTest, CallTypeMustBeOneTheMemberDeclares)
{
    EXPECT_EQ(apply(call("Caption", "1", "1", "<V>Titre</V>")), 23018);
    EXPECT_EQ(apply(call("Caption", "8", "1", "<V>Titre</V>")), 23018);
    EXPECT_EQ(apply(call("Missing", "1", "0", "")), 23017);
    EXPECT_EQ(context.lastError.number(), 438);
}

TEST_F(CallByNameTest, CallTypeIsOneOfTheFourKindsNotACombination)
{
    struct Case {
        const char* member;
        const char* callType;
    };
    const Case cases[] = {
        {"Echo", "3"}, {"Echo", "-1"}, {"Echo", "0"}, {"Echo", "16"},
        {"Caption", "6"}, {"Caption", "12"}, {"Caption", "15"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(apply(call(c.member, c.callType, "1", "<V>Titre</V>")), 23018) << c.member << " " << c.callType;
        EXPECT_EQ(context.lastError.number(), 5) << c.member << " " << c.callType;
    }
    EXPECT_TRUE(log->calls.isEmpty());
}

TEST_F(CallByNameTest, PropertyReadTakesNoArgumentAndAssignmentExactlyOne)
{
    // A read with a value must not assign it, nor an assignment without one read.
    ASSERT_EQ(apply(call("Caption", "4", "1", "<V>Titre</V>")), 1);
    EXPECT_EQ(apply(call("Caption", "2", "1", "<V>Autre</V>")), 23018);
    EXPECT_EQ(context.lastError.number(), 450);
    EXPECT_EQ(apply(call("Caption", "4", "0", "")), 23017);
    EXPECT_EQ(context.lastError.number(), 450);
    EXPECT_EQ(apply(call("Caption", "2", "0", "")), 1);
}

TEST_F(CallByNameTest, NestedCallWithoutResultPassesTheEmptyText)
{
    const QString inner = call("Fail", "1", "0", "").replace("<P>Fail</P>", "<P>Echo</P>");
    ASSERT_EQ(apply(call("Caption", "4", "2", inner)), 1);
    EXPECT_EQ(log->callsTo(QStringLiteral("Caption")).value(0).arguments.value(0), QVariant(QString()));
}

TEST_F(CallByNameTest, MissingPartsGiveTheirStepsCode)
{
    struct Case {
        const char* xml;
        long expected;
    };
    const Case cases[] = {
        {"<CALLBYNAME/>", 23015},
        {"<CALLBYNAME><ID>Q1</ID><P>Echo</P><T>1</T></CALLBYNAME>", 23016},
        {"<CALLBYNAME><ID>Q1</ID><P>Echo</P><T>1</T><A><K>deux</K></A></CALLBYNAME>", 23016},
        {"<CALLBYNAME><ID>Q1</ID><P>Echo</P><T>1</T><A><K>1</K></A></CALLBYNAME>", 23016},
        {"<CALLBYNAME><ID>Q1</ID><P>Echo</P><T>1</T><A><K>5</K></A></CALLBYNAME>", 23016},
        {"<CALLBYNAME><ID>Q1</ID><P>Echo</P><T>1</T><A><K>-1</K></A></CALLBYNAME>", 23016},
        {"<CALLBYNAME><ID>Q1</ID><P>InitXMLQuestion</P><T>1</T><A><K>4</K></A></CALLBYNAME>", 23016},
    };
    for (const Case& c : cases)
        EXPECT_EQ(apply(QString::fromUtf8(c.xml)), c.expected) << c.xml;
    EXPECT_TRUE(log->calls.isEmpty());
}

TEST_F(CallByNameTest, KindFourStateIsTheMembersResult)
{
    log->initReponseState = 23030;
    EXPECT_EQ(apply(call("InitXMLReponse", "1", "4", "<KEY/>")), 23030);
    EXPECT_EQ(context.pulStateEnCours, 23030);
}

TEST_F(CallByNameTest, WindowlessZoneFailsAtItsFirstObject)
{
    QDomDocument document;
    ASSERT_TRUE(document.setContent(QStringLiteral(
        "<Z><OBJECT><ID>A</ID><CLASS>Test.Recording</CLASS><Z/><H>1</H><W>1</W><T>1</T><L>1</L><V>1</V></OBJECT></Z>")));
    QString identifier;
    EXPECT_EQ(exerva::puLoadZone(context, *registry, nullptr, document.documentElement(), identifier), 23012);
    EXPECT_EQ(identifier, QStringLiteral("A"));
}

TEST(PathSyntax, AddsTheModesSeparatorToPathsOfTwoCharactersOrMore)
{
    struct Case {
        const char* path;
        bool modeInet;
        long state;
        const char* result;
    };
    const Case cases[] = {
        {"", false, 23001, ""},
        {"C", false, 23001, "C"},
        {"/", true, 23001, "/"},
        {"C:", false, 1, "C:\\"},
        {"C:", true, 1, "C:/"},
        {"a/b", false, 1, "a\\b\\"},
        {"a\\b/", true, 1, "a/b/"},
        {"a\\b\\", false, 1, "a\\b\\"},
    };
    for (const Case& c : cases) {
        exerva::ExervaContext context;
        context.modeInet = c.modeInet;
        QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(exerva::puCheckSyntax(context, path), c.state) << c.path;
        EXPECT_EQ(path, QString::fromUtf8(c.result)) << c.path;
    }
}

TEST(ReadyState, OnlyTheCompleteStateEndsTheLoad)
{
    exerva::ExervaContext context;
    exerva::ControlRegistry registry;
    exerva::LoadSession session(context, registry, nullptr, 1);
    session.pibXmlLoaded = true;
    exerva::piodomXML_onreadystatechange(session, QDomDocument(), 3);
    EXPECT_FALSE(session.pibXmlLoaded);
    EXPECT_EQ(context.pulStateEnCours, 1);
    exerva::piodomXML_onreadystatechange(session, QDomDocument(), 4);
    EXPECT_TRUE(session.pibXmlLoaded);
    EXPECT_EQ(context.pulStateEnCours, 23043);
}

}  // namespace
}  // namespace exerva_test
