// A run on the course model's own question player and the real exercise
// engine, against the sample management system: the question window at the
// first question, the learner's actions, the result reported.

#include "PlayerLaunchFixture.h"

#include "support/ModuleLearner.h"
#include "support/Screenshot.h"

#include "exerva/frmCT.h"
#include "toolkit/uctButton.h"

namespace {

using PlayerRunTest = pelagotest::PlayerLaunchTest;

TEST_F(PlayerRunTest, ModuleOpensTheFirstQuestionAndQuittingReportsAnIncompleteRun)
{
    launch();
    ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")))
        << manager_->StateErrorEnCours() << " " << manager_->LastError().toStdString();

    lumaro::frmClient* window = questionWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // The exercise came from the system's exercise files.
    auto* exercise = exerva::frmCT::fromWindowId(appli()->HandleApplicationInteractive());
    ASSERT_NE(exercise, nullptr);
    EXPECT_TRUE(exercise->isVisible());
    EXPECT_FALSE(server_->requestsFor("X1211.xml").empty());
    testsupport::saveScreenshot(*window, QStringLiteral("pelago-first-question-bar"));
    testsupport::saveScreenshot(*exercise, QStringLiteral("pelago-first-question-exercise"));

    clock_.advanceSeconds(42);
    window->kavbtnQuitter()->click();
    runToEnd();
    const auto records = stored();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records.at(0).value("fields").toObject().value("aicc_data").toString(),
              QStringLiteral("[Core]\r\nScore=0\r\nLesson_Status=I\r\nTime=00:00:42"));
    EXPECT_EQ(records.at(1).value("command").toString(), QStringLiteral("exitau"));
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(PlayerRunTest, ModulePlayedThroughIsScoredAndReportedFieldByField)
{
    launch();
    ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")))
        << manager_->StateErrorEnCours() << " " << manager_->LastError().toStdString();
    testsupport::ModuleLearner learner(*manager, data_.lumaro);

    // Question 1, the drag-and-drop gaps, right.
    for (int word : {0, 1, 2})
        ASSERT_TRUE(learner.dropWord(QStringLiteral("Texte"), word, word));
    clock_.advanceSeconds(40);
    ASSERT_TRUE(learner.poursuivre());
    ASSERT_TRUE(learner.poursuivre());
    // Question 2, both shortcuts typed right.
    ASSERT_TRUE(learner.type(QStringLiteral("Saisie"), 0, QStringLiteral("enregistrer")));
    ASSERT_TRUE(learner.type(QStringLiteral("Saisie"), 1, QStringLiteral("impression")));
    clock_.advanceSeconds(3600);
    ASSERT_TRUE(learner.poursuivre());
    ASSERT_TRUE(learner.poursuivre());
    // Question 3, the wrong menu: its feedback, then the end of the module.
    ASSERT_TRUE(learner.choose(QStringLiteral("Choix"), 1));
    clock_.advanceSeconds(83);
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_TRUE(stored().isEmpty()) << "nothing is reported before the end";
    ASSERT_TRUE(learner.poursuivre());

    runToEnd();
    const auto records = stored();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject report = records.at(0).value("fields").toObject();
    EXPECT_EQ(records.at(0).value("command").toString(), QStringLiteral("putparam"));
    EXPECT_EQ(report.value("session_id").toString(), QStringLiteral("SID-1"));
    EXPECT_EQ(report.value("version").toString(), QStringLiteral("2.0"));
    const QStringList core = report.value("aicc_data").toString().split(QStringLiteral("\r\n"));
    ASSERT_EQ(core.size(), 4) << report.value("aicc_data").toString().toStdString();
    EXPECT_EQ(core.at(0), QStringLiteral("[Core]"));
    // Two of three questions passed, out of 20: 13.
    EXPECT_EQ(core.at(1), QStringLiteral("Score=13"));
    EXPECT_EQ(core.at(2), QStringLiteral("Lesson_Status=C"));
    // From the opening of the question window to the end: 40 s + 1 h + 83 s.
    EXPECT_EQ(core.at(3), QStringLiteral("Time=01:02:03"));
    EXPECT_EQ(records.at(1).value("command").toString(), QStringLiteral("exitau"));
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
    EXPECT_EQ(barre().pioKavParc->ModuleEnCours(), nullptr);
}

}  // namespace
