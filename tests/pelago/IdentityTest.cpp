// The learner's identity from the management system (getparam).

#include "PelagoFixture.h"

#include "pelago/HacpReply.h"

#include "basalo/enuFunctionReturnState.h"

namespace {

using testsupport::FakeHacpSystem;

class IdentityTest : public pelagotest::PelagoTest {};

// The reply shapes HACP allows, each read through a real request.
TEST_F(IdentityTest, ReadsTheIdentityInEveryShapeTheProtocolAllows)
{
    struct Case {
        const char* name;
        QByteArray reply;
        QString id, last, first;
    };
    const Case cases[] = {
        {"as written by most systems", FakeHacpSystem::identityReply("S1", "Durand, Marc"), "S1", "Durand", "Marc"},
        {"line feeds and any case",
         "ERROR=0\nERROR_TEXT=Successful\nAICC_DATA=\n[CORE]\nSTUDENT_ID=S2\nstudent_name=Roux, Anne, Marie\n", "S2",
         "Roux", "Anne"},
        {"blanks around the equals sign",
         "error = 0\r\nerror_text = Successful\r\naicc_data =\r\n[ Core ]\r\nStudent_ID = S3 \r\nStudent_Name =  Petit ,  Luc\r\n",
         "S3", "Petit", "Luc"},
        {"comments and blank lines",
         "; reply of the system\r\nerror=0\r\n\r\naicc_data=\r\n; learner\r\n[Core]\r\n\r\nStudent_ID=S4\r\nStudent_Name=Blanc, Eva\r\n",
         "S4", "Blanc", "Eva"},
        {"data on the aicc_data line", "error=0\r\naicc_data=[Core]\r\nStudent_ID=S5\r\nStudent_Name=Noir, Paul\r\n", "S5",
         "Noir", "Paul"},
        {"value holding an equals sign", "error=0\r\n[Core]\r\nStudent_ID=a=b\r\nStudent_Name=Gris, Lou\r\n", "a=b", "Gris",
         "Lou"},
        {"name without a comma", "error=0\r\n[Core]\r\nStudent_ID=S6\r\nStudent_Name=Madonna\r\n", "S6", "Madonna", ""},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lms_.answer(QStringLiteral("getparam"), FakeHacpSystem::hacp(c.reply));
        ASSERT_TRUE(barre().piGetInfoUserAICC());
        EXPECT_EQ(barre().IdentUser(), c.id);
        EXPECT_EQ(barre().NomUser(), c.last);
        EXPECT_EQ(barre().PrenomUser(), c.first);
        EXPECT_EQ(manager_->StateErrorEnCours(), 1);
    }
    const auto request = lms_.exchanges().front();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.command, QStringLiteral("getparam"));
    EXPECT_EQ(request.sessionId, QStringLiteral("SID-7"));
    EXPECT_EQ(request.version, QStringLiteral("2.0"));
    EXPECT_EQ(request.request.body, "command=getparam&session_id=SID-7&version=2.0&aicc_data=");
}

TEST_F(IdentityTest, RefusalOrMissingIdentityClearsThePreviousLearner)
{
    struct Case {
        const char* name;
        QByteArray reply;
        long code;
        long number;
    };
    const Case cases[] = {
        {"refused", "error=3\r\nerror_text=Invalid Session ID\r\n",
         basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurAICC, 3},
        {"no name", "error=0\r\n[Core]\r\nStudent_ID=S9\r\n",
         basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurAICCNoInfoUser, 0},
        {"identifier under another keyword", "error=0\r\n[Core]\r\nStudent_IDs=S9\r\nStudent_Name=A, B\r\n",
         basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurAICCNoInfoUser, 0},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager_->ClearError();
        ASSERT_TRUE(barre().piGetInfoUserAICC());
        EXPECT_EQ(barre().IdentUser(), QString::fromLatin1(FakeHacpSystem::defaultStudentId));
        lms_.answer(QStringLiteral("getparam"), FakeHacpSystem::hacp(c.reply));
        EXPECT_FALSE(barre().piGetInfoUserAICC());
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        EXPECT_EQ(manager_->LastErrorNumber(), c.number);
        EXPECT_NE(barre().IdentUser(), QString::fromLatin1(FakeHacpSystem::defaultStudentId));
        EXPECT_NE(barre().NomUser(), QStringLiteral("Martin"));
        EXPECT_NE(barre().PrenomUser(), QStringLiteral("Claire"));
    }
}

TEST_F(IdentityTest, GetChannelAsksInTheQueryOfAnAddressThatHasOne)
{
    start(QStringLiteral("get"));
    barre().AiccUrl(lms_.address(QStringLiteral("au=3")));
    ASSERT_TRUE(barre().piGetInfoUserAICC());
    EXPECT_EQ(barre().NomUser(), QStringLiteral("Martin"));
    EXPECT_EQ(barre().PrenomUser(), QStringLiteral("Claire"));
    const auto request = lms_.exchanges().front();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.command, QStringLiteral("getparam"));
    EXPECT_EQ(request.request.queryValue(QStringLiteral("au")), QStringLiteral("3"));
    EXPECT_TRUE(boxes_.shown().empty());
}

TEST(HacpReplyTest, ErrorIsANumberOrNothing)
{
    using pelago::HacpReply;
    EXPECT_EQ(HacpReply::parse(QStringLiteral("error=0")).error(), 0);
    EXPECT_EQ(HacpReply::parse(QStringLiteral("Error = 2 \r\n")).error(), 2);
    EXPECT_FALSE(HacpReply::parse(QStringLiteral("error=")).error());
    EXPECT_FALSE(HacpReply::parse(QStringLiteral("error=none")).error());
    EXPECT_FALSE(HacpReply::parse(QStringLiteral("<p>error=0</p>")).error());
    EXPECT_FALSE(HacpReply::parse(QString()).error());
    // Only the reply's own error counts, not a keyword of the AU data.
    EXPECT_FALSE(HacpReply::parse(QStringLiteral("[Core]\nerror=0")).error());
}

}  // namespace
