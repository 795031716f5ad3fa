// The end of a run: the result report, the exit step and the return to the
// ready state, over each channel, with the learning management system's
// answers good and bad.

#include "PelagoFixture.h"

#include "pelago/frmInet.h"

#include "basalo/enuFunctionReturnState.h"

#include <QSignalSpy>

namespace {

using testsupport::FakeHacpSystem;
using testsupport::ServerReply;

class RunEndTest : public pelagotest::PelagoTest {
protected:
    // A module run of 10 questions, 7 passed, started an hour, 2 minutes and 3 seconds ago.
    void playModule(long questions = 10, long passed = 7, std::chrono::seconds spent = std::chrono::seconds(3723))
    {
        makeModule(questions, passed);
        barre().beginRun(0, QStringLiteral("F"));
        clock_.advance(spent);
    }
};

TEST_F(RunEndTest, PostRunReportsThenLeavesThenBecomesReadyOnTheDelays)
{
    start();
    playModule();
    barre().piMajResult(true);
    ASSERT_EQ(lms_.commands(), QStringList{QStringLiteral("putparam")});
    const auto report = lms_.exchanges().front();
    EXPECT_EQ(report.method, "POST");
    EXPECT_EQ(report.sessionId, QStringLiteral("SID-7"));
    EXPECT_EQ(report.version, QStringLiteral("2.0"));
    EXPECT_EQ(report.aiccData, QStringLiteral("[Core]\r\nScore=14\r\nLesson_Status=C\r\nTime=01:02:03"));
    EXPECT_EQ(report.request.queryValue(QStringLiteral("CfgSite")), QStringLiteral("site1"));
    EXPECT_EQ(report.request.queryValue(QStringLiteral("CfgBdd")), QStringLiteral("bdd1"));
    EXPECT_TRUE(report.request.header("Content-Type").startsWith("application/x-www-form-urlencoded"));
    EXPECT_TRUE(report.request.body.startsWith("command=putparam&session_id=SID-7&version=2.0&aicc_data="));
    EXPECT_TRUE(players_->calls.contains(QStringLiteral("PrepareFrmLoading F")));
    EXPECT_TRUE(players_->calls.contains(QStringLiteral("SetMessageLoading Enregistrement du résultat...")));

    // The exit step comes at the first tick past 3 seconds.
    clock_.advanceMs(3000);
    EXPECT_EQ(lms_.commands().size(), 1);
    clock_.advanceMs(100);
    ASSERT_EQ(lms_.commands(), (QStringList{QStringLiteral("putparam"), QStringLiteral("exitAU")}));
    EXPECT_EQ(lms_.exchanges().back().method, "POST");
    EXPECT_EQ(lms_.exchanges().back().aiccData, QString());

    clock_.advanceMs(5000);
    EXPECT_EQ(data_.StateEnCours, pelago::StateBusy);
    EXPECT_FALSE(players_->calls.contains(QStringLiteral("TerminateFrmLoading")));
    clock_.advanceMs(100);
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
    EXPECT_TRUE(players_->calls.contains(QStringLiteral("TerminateFrmLoading")));
    EXPECT_EQ(barre().pioKavParc->ModuleEnCours(), nullptr);
    EXPECT_TRUE(barre().Form()->TimerPersist().isActive());
    EXPECT_EQ(manager_->StateErrorEnCours(), 1);
    EXPECT_EQ(lms_.commands().size(), 2);
}

TEST_F(RunEndTest, ExitAndSelfCloseFollowTheirSwitches)
{
    struct Case {
        bool withExitAU, withSelfClose;
        QStringList commands;
        int selfCloses;
    };
    const Case cases[] = {
        {true, false, {QStringLiteral("putparam"), QStringLiteral("exitAU")}, 0},
        {false, false, {QStringLiteral("putparam")}, 0},
        {false, true, {QStringLiteral("putparam")}, 1},
        {true, true, {QStringLiteral("putparam"), QStringLiteral("exitAU")}, 1},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.withExitAU << c.withSelfClose);
        const auto before = lms_.commands().size();
        barre().WithExitAU(c.withExitAU);
        barre().WithSelfClose(c.withSelfClose);
        QSignalSpy selfClose(&barre(), &pelago::clsBarreManager::SelfClose);
        playModule();
        barre().piMajResult(true);
        runToEnd();
        EXPECT_EQ(lms_.commands().mid(before), c.commands);
        EXPECT_EQ(selfClose.count(), c.selfCloses);
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
        ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
    }
}

TEST_F(RunEndTest, ScoreStatusAndTimeOfEachKindOfRun)
{
    struct Case {
        const char* name;
        long question;  // 0 for a module
        long questions, passed, typeReponse;
        bool finished;
        std::chrono::seconds spent;
        QString noteMax, score, status, time;
    };
    using std::chrono::seconds;
    const Case cases[] = {
        {"passed module", 0, 10, 9, 0, true, seconds(3723), "20", "18", "C", "01:02:03"},
        {"failed module", 0, 3, 2, 0, true, seconds(59), "100", "66", "C", "00:00:59"},
        {"incomplete module", 0, 10, 7, 0, false, seconds(600), "20", "14", "I", "00:10:00"},
        {"module over a day", 0, 4, 4, 0, true, seconds(25 * 3600), "20", "20", "C", "25:00:00"},
        {"module without questions", 0, 0, 0, 0, true, seconds(5), "20", "0", "C", "00:00:05"},
        {"score beyond 32 bits", 0, 3000, 2999, 0, true, seconds(1), "2147483647", "2146767819", "C", "00:00:01"},
        {"no maximum", 0, 10, 7, 0, true, seconds(1), "", "", "C", "00:00:01"},
        {"question passed", 7, 1, 0, lumaro::Bravo, false, seconds(30), "20", "20", "C", "00:00:30"},
        {"question nearly passed", 7, 1, 0, lumaro::BravoNuance, false, seconds(30), "20", "20", "C", "00:00:30"},
        {"question failed", 7, 1, 0, lumaro::ErreurGenerale, true, seconds(30), "20", "0", "C", "00:00:30"},
        {"question unanswered", 7, 1, 0, lumaro::PasDeResultat, true, seconds(30), "20", "0", "I", "00:00:30"},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data_.NoteMaxAicc = c.noteMax;
        const auto module = makeModule(c.questions, c.passed);
        if (c.question > 0)
            module->ResultQuestions(1)->TypeReponse(c.typeReponse);
        barre().beginRun(c.question, QStringLiteral("E"));
        clock_.advance(c.spent);
        barre().piMajResult(c.finished);
        EXPECT_EQ(lms_.exchanges().back().aiccData,
                  QStringLiteral("[Core]\r\nScore=%1\r\nLesson_Status=%2\r\nTime=%3").arg(c.score, c.status, c.time));
        runToEnd();
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
        EXPECT_EQ(manager_->StateErrorEnCours(), 1);
        ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
    }
}

TEST_F(RunEndTest, ReportWithoutAModuleStillEndsTheRun)
{
    start();
    barre().beginRun(0, QStringLiteral("F"));
    barre().piMajResult(true);
    EXPECT_EQ(manager_->StateErrorEnCours(),
              basalo::enuFunctionReturnState_Pelago_clsBarreManager_piMajResult_ErreurInconnue);
    EXPECT_EQ(manager_->LastErrorNumber(), platform::ObjectNotSet);
    runToEnd();
    EXPECT_EQ(lms_.commands(), QStringList{QStringLiteral("exitAU")});
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(RunEndTest, GetChannelReportsInTheQueryAndStillLeavesByPost)
{
    start(QStringLiteral("get"));
    barre().AiccUrl(lms_.address(QStringLiteral("course=12&lang=fr")));
    playModule();
    barre().piMajResult(true);
    runToEnd();
    const auto exchanges = lms_.exchanges();
    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_EQ(exchanges[0].method, "GET");
    EXPECT_EQ(exchanges[0].command, QStringLiteral("putparam"));
    EXPECT_EQ(exchanges[0].aiccData, QStringLiteral("[Core]\r\nScore=14\r\nLesson_Status=C\r\nTime=01:02:03"));
    EXPECT_EQ(exchanges[0].request.queryValue(QStringLiteral("course")), QStringLiteral("12"));
    EXPECT_EQ(exchanges[0].request.queryValue(QStringLiteral("lang")), QStringLiteral("fr"));
    EXPECT_EQ(exchanges[1].method, "POST");
    EXPECT_EQ(exchanges[1].command, QStringLiteral("exitAU"));
    EXPECT_EQ(exchanges[1].request.queryValue(QStringLiteral("course")), QStringLiteral("12"));
    EXPECT_EQ(exchanges[1].request.queryValue(QStringLiteral("CfgSite")), QStringLiteral("site1"));
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(RunEndTest, ScormChannelSignalsThePageInsteadOfRequests)
{
    start(QStringLiteral("scorm"));
    barre().WithExitAU(false);
    QSignalSpy finModule(&barre(), &pelago::clsBarreManager::FinModule);
    QSignalSpy exitAU(&barre(), &pelago::clsBarreManager::ExitAU);
    playModule(10, 7);
    barre().piMajResult(false);
    ASSERT_EQ(finModule.count(), 1);
    EXPECT_EQ(finModule[0][0].toString(), QStringLiteral("incomplete"));
    EXPECT_EQ(finModule[0][1].toString(), QStringLiteral("14"));
    EXPECT_EQ(finModule[0][2].toString(), QStringLiteral("01:02:03"));
    runToEnd();
    EXPECT_EQ(exitAU.count(), 1) << "raised whatever WithExitAU says";
    EXPECT_TRUE(lms_.exchanges().empty());
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(RunEndTest, MethodIsComparedExactly)
{
    for (const QString& method : {QStringLiteral("SCORM"), QStringLiteral("Get")}) {
        start(method);
        playModule();
        barre().piMajResult(true);
        runToEnd();
        EXPECT_EQ(lms_.exchanges().back().method, "POST") << method.toStdString();
        data_.enterReady();
    }
    EXPECT_EQ(lms_.exchanges().front().method, "POST");
}

TEST_F(RunEndTest, QuitDuringTheEndOfARunDoesNotUndoItsReport)
{
    start();
    playModule();
    barre().piMajResult(true);
    clock_.advanceMs(1000);
    barre().piMajResult(false);
    runToEnd();
    EXPECT_EQ(lms_.commands(), (QStringList{QStringLiteral("putparam"), QStringLiteral("exitAU")}));
    EXPECT_TRUE(lms_.exchanges().front().aiccData.contains(QStringLiteral("Lesson_Status=C")));
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);

    // The next run reports again.
    ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
    playModule();
    barre().piMajResult(false);
    EXPECT_EQ(lms_.commands().size(), 3);
}

TEST_F(RunEndTest, PageThatAsksToStartFromTheReportIsRefusedAndTheRunGoesOn)
{
    start(QStringLiteral("scorm"));
    bool refused = false;
    QObject::connect(&barre(), &pelago::clsBarreManager::FinModule, [&] {
        refused = !manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00"));
    });
    playModule();
    barre().piMajResult(true);
    EXPECT_TRUE(refused);
    runToEnd();
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

// Every refused or failed answer leaves its step's code and the system's
// words, and the run still reaches its end.
TEST_F(RunEndTest, RefusedAnswersAreReportedAndTheRunStillEnds)
{
    struct Case {
        const char* name;
        ServerReply reply;
        long number;
        QString text;
    };
    ServerReply slow = FakeHacpSystem::hacp("error=0\r\n");
    slow.delay = std::chrono::milliseconds(5000);
    const Case cases[] = {
        {"invalid command", FakeHacpSystem::hacp("error=1\r\nerror_text=Invalid Command\r\n"), 1,
         QStringLiteral("Invalid Command")},
        {"invalid password", FakeHacpSystem::hacp("ERROR = 2\nERROR_TEXT = Invalid AU password\n"), 2,
         QStringLiteral("Invalid AU password")},
        {"invalid session", FakeHacpSystem::hacp("error=3\r\nerror_text=Invalid Session ID\r\n"), 3,
         QStringLiteral("Invalid Session ID")},
        {"text written error_txt", FakeHacpSystem::hacp("error=1\r\nerror_txt=Invalid Command\r\n"), 1,
         QStringLiteral("Invalid Command")},
        {"refusal without a text", FakeHacpSystem::hacp("error=3\r\n"), 3,
         QStringLiteral("Le système de formation a refusé %1 (error=3)")},
        {"error page", ServerReply::text("<html><body><h1>Login</h1></body></html>"), platform::TypeMismatch,
         QStringLiteral("Réponse AICC illisible : <h1>Login</h1>")},
        {"empty answer", FakeHacpSystem::hacp(""), platform::TypeMismatch,
         QStringLiteral("Réponse AICC illisible : (vide)")},
        {"server error", ServerReply::withStatus(500, "error=0"), 500,
         QStringLiteral("Le système de formation a répondu HTTP 500 Internal Server Error")},
        {"too slow", slow, basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurTimeOut,
         QStringLiteral("Le système de formation n'a pas répondu à temps")},
    };
    manager_->LevelTracelage(1);
    start();
    for (const Case& c : cases) {
        for (const QString& command : {QStringLiteral("putparam"), QStringLiteral("exitAU")}) {
            SCOPED_TRACE(testing::Message() << c.name << " " << command.toStdString());
            lms_.answer(command, c.reply);
            playModule();
            barre().piMajResult(true);
            runToEnd();
            const long code = command == QLatin1String("putparam")
                                  ? basalo::enuFunctionReturnState_Pelago_clsBarreManager_piMajResult_ErreurAICC
                                  : basalo::enuFunctionReturnState_Pelago_clsBarreManager_piExitAU_ErreurAICC;
            EXPECT_EQ(manager_->StateErrorEnCours(), code);
            EXPECT_EQ(manager_->LastErrorNumber(), c.number);
            EXPECT_EQ(manager_->LastError(), QString(c.text).replace(QStringLiteral("%1"), command));
            // The trace marks the line "erreur kav" as an error anchor.
            EXPECT_TRUE(traceText().contains(QStringLiteral("</B></FONT> %1 : ").arg(c.number)));
            EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
            ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
        }
    }
}

TEST_F(RunEndTest, UnreachableSystemIsToldWithTheNetworksWords)
{
    start();
    testsupport::RecordingServer closed;
    barre().AiccUrl(closed.address(QStringLiteral("/aicc")));
    closed.stop();
    playModule();
    barre().piMajResult(true);
    EXPECT_EQ(manager_->StateErrorEnCours(),
              basalo::enuFunctionReturnState_Pelago_clsBarreManager_piMajResult_ErreurAICC);
    EXPECT_EQ(manager_->LastErrorNumber(), basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurInconnue);
    EXPECT_EQ(manager_->LastError(), QStringLiteral("Le système de formation est injoignable : Connection refused"));
    runToEnd();
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(RunEndTest, RefusedGetReportShowsTheMessageWithEachFailuresNumber)
{
    start(QStringLiteral("get"));
    barre().DisplayMessageAicc(QStringLiteral("1"));
    barre().TitleMessageAicc(QStringLiteral("Suivi"));
    barre().MessageAicc(QStringLiteral("Résultat non enregistré (erreur %1)"));
    // Tracing does not switch the check off.
    manager_->LevelTracelage(1);
    lms_.answer(QStringLiteral("putparam"), FakeHacpSystem::hacp("error=1\r\nerror_text=Invalid Command\r\n"));
    lms_.answer(QStringLiteral("putparam"), FakeHacpSystem::hacp("error=3\nerror_text=Invalid Session ID\n"));
    for (int run = 0; run < 2; ++run) {
        playModule();
        barre().piMajResult(true);
        runToEnd();
        ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
    }
    EXPECT_EQ(boxes_.texts(), (QStringList{QStringLiteral("Résultat non enregistré (erreur 1)"),
                                           QStringLiteral("Résultat non enregistré (erreur 3)")}));
    EXPECT_EQ(boxes_.shown().front().title, QStringLiteral("Suivi"));
    EXPECT_EQ(barre().MessageAicc(), QStringLiteral("Résultat non enregistré (erreur %1)"));

    barre().DisplayMessageAicc(QStringLiteral("0"));
    lms_.answer(QStringLiteral("putparam"), FakeHacpSystem::hacp("error=1\r\n"));
    playModule();
    barre().piMajResult(true);
    EXPECT_EQ(boxes_.texts().size(), 2);
    EXPECT_EQ(manager_->LastErrorNumber(), 1);
}

}  // namespace
