// The stand-alone test mode's main routine, launcher and corrector, over small
// courses of recording controls: the order of the instances, the messages,
// the folders of each question kind, the failures that end the run and the
// program's exit status.

#include "RecordingControl.h"
#include "StandAloneSupport.h"

#include "exerva/standalone/QuestionList.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

using standalone_test::joined;
using standalone_test::DialogAnswers;

// An exercise file of application 12 whose answer zone holds a recording
// control; the window caption names the instance.
QByteArray questionFile(long instance, bool withAnswerZone = true)
{
    const QString answer = withAnswerZone ? QStringLiteral(
                                                "<OBJECT><ID>Answer</ID><CLASS>Test.Recording</CLASS><Z/><H>20</H><W>40</W>"
                                                "<T>10</T><L>5</L><V>True</V></OBJECT>")
                                          : QString();
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"windows-1252\"?><EXERCICE>"
               "<INFORMATION><B>False</B><I/><I/><I/><I/><I/><I/><I/></INFORMATION>"
               "<INSTANCE%1><FORM><C>Question %1</C><H>100</H><W>200</W><U/><K/></FORM>"
               "<TOOLS><OBJECT><ID>Tools</ID><CLASS>Exerva.Tools</CLASS><Z/><H>1</H><W>1</W><T>0</T><L>0</L>"
               "<V>False</V></OBJECT></TOOLS><ZQ/><ZI/><ZRP>%2</ZRP></INSTANCE%1></EXERCICE>")
        .arg(instance)
        .arg(answer)
        .toUtf8();
}

QByteArray exoAppFile(long instance)
{
    return QStringLiteral(
               "<?xml version=\"1.0\"?><EXERCICE><INFORMATION><B>0</B><I/><I/><I/><I/><I/><I/><I/></INFORMATION>"
               "<EXOAPP%1><FORM><C>Exercice %1</C><H>100</H><W>200</W><U/><K/></FORM><TOOLS/>"
               "<ZI><OBJECT><ID>Work</ID><CLASS>Test.Recording</CLASS><Z/><H>20</H><W>40</W><T>10</T><L>5</L>"
               "<V>True</V></OBJECT></ZI></EXOAPP%1></EXERCICE>")
        .arg(instance)
        .toUtf8();
}

class StandAloneRunTest : public standalone_test::StandAloneFixture {
protected:
    void SetUp() override { answers.path = folder(); }

    void writeQuestion(long instance, bool withAnswerZone = true)
    {
        writeFile(QStringLiteral("12F/X121%1.xml").arg(instance), questionFile(instance, withAnswerZone));
    }

    // Starts the run, then closes the exercise window until the run ends,
    // noting the caption of each question closed.
    QStringList runToTheEnd(exerva::StandAloneRun& run)
    {
        QStringList captions;
        run.Main();
        while (!run.isFinished() && captions.size() < 100) {
            captions.append(run.manager()->window()->windowTitle());
            closeExerciseWindow(run);
        }
        settle(run);
        return captions;
    }

    std::shared_ptr<exerva_test::CallLog> log = std::make_shared<exerva_test::CallLog>();
    std::unique_ptr<exerva::ControlRegistry> registry = exerva_test::makeTestRegistry(log);
};

TEST_F(StandAloneRunTest, RunsTheListOrTheRangeInOrder)
{
    for (long instance : {1, 2, 3, 4, 5, 6, 7})
        writeQuestion(instance);
    struct Case {
        const char* label;
        std::optional<QString> list;
        std::optional<std::pair<QString, QString>> range;
        QStringList captions;
    };
    const Case cases[] = {
        {"list", QStringLiteral("1;3;7"), std::nullopt,
         {QStringLiteral("Question 1"), QStringLiteral("Question 3"), QStringLiteral("Question 7")}},
        {"range", std::nullopt, std::pair{QStringLiteral("4"), QStringLiteral("6")},
         {QStringLiteral("Question 4"), QStringLiteral("Question 5"), QStringLiteral("Question 6")}},
        {"list with spaces and a repeat", QStringLiteral(" 2 ;2"), std::nullopt,
         {QStringLiteral("Question 2"), QStringLiteral("Question 2")}},
        {"one-question range", std::nullopt, std::pair{QStringLiteral("5"), QStringLiteral("5")},
         {QStringLiteral("Question 5")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        messageBoxes = {};
        answers.list = c.list;
        answers.range = c.range;
        const auto run = makeRun(*registry);
        EXPECT_EQ(joined(runToTheEnd(*run)), joined(c.captions));
        EXPECT_TRUE(run->isFinished());
        EXPECT_EQ(run->exitStatus(), 0);
        EXPECT_EQ(run->manager(), nullptr) << "the engine is released at the end";
        ASSERT_EQ(messageBoxes.shown().size(), std::size_t(c.captions.size()));
        for (const auto& box : messageBoxes.shown()) {
            EXPECT_EQ(box.text, QStringLiteral("Bravo"));
            EXPECT_EQ(box.title, QStringLiteral("Exerva"));
            EXPECT_EQ(box.buttons, platform::MessageBoxes::OkButton);
            EXPECT_EQ(box.icon, platform::MessageBoxes::Icon::None);
        }
    }
}

TEST_F(StandAloneRunTest, TellsTheOutcomeOfEachQuestionAndGoesOn)
{
    writeQuestion(1);
    writeQuestion(2, false);
    struct Case {
        const char* label;
        bool bravo;
        const char* letter;
        long state;
        QStringList messages;
        int status;
    };
    const Case cases[] = {
        {"right", true, "", 1, {QStringLiteral("Bravo"), QStringLiteral("Erreur référencée 23024")}, 1},
        {"wrong", false, "B", 1, {QStringLiteral("Erreur B"), QStringLiteral("Erreur référencée 23024")}, 1},
        {"scoring fails", false, "", 23031,
         {QStringLiteral("Erreur référencée 23031"), QStringLiteral("Erreur référencée 23024")}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        messageBoxes = {};
        log->bravo = c.bravo;
        log->letter = QString::fromUtf8(c.letter);
        log->testePointState = c.state;
        // Question 2 has no answer zone: scoring it fails, and the run still ends normally after it.
        answers.list = QStringLiteral("1;2");
        const auto run = makeRun(*registry);
        EXPECT_EQ(runToTheEnd(*run).size(), 2);
        EXPECT_EQ(joined(messageBoxes.texts()), joined(c.messages));
        EXPECT_TRUE(run->isFinished());
        EXPECT_EQ(run->exitStatus(), c.status);
    }
}

TEST_F(StandAloneRunTest, EachKindLoadsFromItsFolder)
{
    writeFile(QStringLiteral("12Eb/X1224.xml"), questionFile(4));
    writeFile(QStringLiteral("12F/X1234.xml"), exoAppFile(4));
    struct Case {
        int option;
        long kind;
        const char* caption;
        QStringList messages;
    };
    const Case cases[] = {
        {1, 2, "Question 4", {QStringLiteral("Bravo")}},
        // An exercise application has nothing to score: closing it shows nothing.
        {2, 3, "Exercice 4", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        messageBoxes = {};
        answers.list = QStringLiteral("4");
        answers.kind = c.option;
        const auto run = makeRun(*registry);
        EXPECT_EQ(joined(runToTheEnd(*run)), c.caption);
        EXPECT_EQ(run->typeBaseBis(), c.kind);
        EXPECT_EQ(joined(messageBoxes.texts()), joined(c.messages));
        EXPECT_EQ(run->exitStatus(), 0);
    }
}

TEST_F(StandAloneRunTest, AQuestionListThatCannotBeReadEndsWithErreurMain)
{
    writeQuestion(1);
    using Range = std::pair<QString, QString>;
    struct Case {
        std::optional<QString> list;
        std::optional<Range> range;
        const char* message;
    };
    const Case cases[] = {
        {QStringLiteral(""), std::nullopt, "Erreur Main 9 : Subscript out of range"},
        {QStringLiteral("1;;3"), std::nullopt, "Erreur Main 13 : Type mismatch"},
        {QStringLiteral("1;x"), std::nullopt, "Erreur Main 13 : Type mismatch"},
        {QStringLiteral("99999999999"), std::nullopt, "Erreur Main 6 : Overflow"},
        {std::nullopt, Range{QStringLiteral("6"), QStringLiteral("4")}, "Erreur Main 9 : Subscript out of range"},
        {std::nullopt, Range{QString(), QStringLiteral("3")}, "Erreur Main 13 : Type mismatch"},
        {std::nullopt, Range{QStringLiteral("1"), QStringLiteral("10001")},
         "Erreur Main 6 : Overflow (at most 10000 questions)"},
        {std::nullopt, Range{QStringLiteral("-2147483648"), QStringLiteral("2147483647")},
         "Erreur Main 6 : Overflow (at most 10000 questions)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messageBoxes = {};
        answers.list = c.list;
        answers.range = c.range;
        const auto run = makeRun(*registry);
        run->Main();
        EXPECT_TRUE(run->isFinished());
        EXPECT_EQ(run->exitStatus(), 1);
        EXPECT_EQ(run->manager(), nullptr);
        EXPECT_EQ(joined(messageBoxes.texts()), c.message);
    }
}

TEST_F(StandAloneRunTest, ARangeOfTenThousandQuestionsIsAccepted)
{
    writeQuestion(1);
    answers.range = std::pair{QStringLiteral("1"), QString::number(exerva::questionlist::maxRangeEntries)};
    const auto run = makeRun(*registry);
    run->Main();
    EXPECT_FALSE(run->isFinished());
    EXPECT_EQ(run->questionList().size(), std::size_t(exerva::questionlist::maxRangeEntries));
    EXPECT_EQ(run->questionList().back(), exerva::questionlist::maxRangeEntries);
    EXPECT_TRUE(messageBoxes.shown().empty());
}

TEST_F(StandAloneRunTest, AnEngineFailureEndsTheRunWithItsCode)
{
    writeQuestion(1);
    struct Case {
        const char* label;
        QString path;
        QString list;
        QStringList messages;
    };
    const Case cases[] = {
        {"root too short", QStringLiteral("x"), QStringLiteral("1"), {QStringLiteral("erreur référencée 23001")}},
        {"file missing", folder(), QStringLiteral("9"), {QStringLiteral("erreur référencée 23043")}},
        {"file missing after one question", folder(), QStringLiteral("1;9"),
         {QStringLiteral("Bravo"), QStringLiteral("erreur référencée 23043")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        messageBoxes = {};
        answers.path = c.path;
        answers.list = c.list;
        const auto run = makeRun(*registry);
        runToTheEnd(*run);
        EXPECT_TRUE(run->isFinished());
        EXPECT_EQ(run->exitStatus(), 1);
        EXPECT_EQ(run->manager(), nullptr);
        EXPECT_EQ(joined(messageBoxes.texts()), joined(c.messages));
    }
}

TEST_F(StandAloneRunTest, AnnulerEndsTheProgramQuietly)
{
    answers.pressOk = false;
    const auto run = makeRun(*registry);
    run->Main();
    EXPECT_TRUE(run->isFinished());
    EXPECT_EQ(run->exitStatus(), 0);
    EXPECT_EQ(run->manager(), nullptr);
    EXPECT_TRUE(messageBoxes.shown().empty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Param.ini"))));
}

TEST_F(StandAloneRunTest, ACloseWhileTheOutcomeIsOnScreenScoresNothing)
{
    writeQuestion(1);
    writeQuestion(2);
    answers.list = QStringLiteral("1;2");
    const auto run = makeRun(*registry);
    messageBoxes.onShow([&run](const platform::ScriptedMessageBoxes::Shown&) {
        if (run->manager() && run->manager()->window())
            run->manager()->window()->close();
    });
    runToTheEnd(*run);
    EXPECT_EQ(joined(messageBoxes.texts()), joined({QStringLiteral("Bravo"), QStringLiteral("Bravo")}));
    EXPECT_EQ(log->callsTo(QStringLiteral("TestePoint")).size(), 2);
}

TEST_F(StandAloneRunTest, TheFinishedSignalComesOnceTheEngineIsReleased)
{
    writeQuestion(1);
    answers.list = QStringLiteral("1");
    const auto run = makeRun(*registry);
    std::vector<int> statuses;
    QObject::connect(run.get(), &exerva::StandAloneRun::finished, [&](int status) {
        EXPECT_EQ(run->manager(), nullptr);
        statuses.push_back(status);
    });
    run->Main();
    closeExerciseWindow(*run);
    EXPECT_TRUE(run->isFinished());
    // The window that was closed is still there until its close event is over.
    EXPECT_TRUE(statuses.empty());
    settle(*run);
    EXPECT_EQ(statuses, std::vector<int>{0});
    EXPECT_TRUE(context.standAlone);
}

TEST(StandAloneCommandTest, OnlyTheExactWordStartsTheMode)
{
    struct Case {
        QStringList arguments;
        bool starts;
    };
    const Case cases[] = {
        {{QStringLiteral("qol")}, true},
        {{}, false},
        {{QStringLiteral("QOL")}, false},
        {{QStringLiteral("Qol")}, false},
        {{QStringLiteral("qol ")}, false},
        {{QStringLiteral("qol"), QStringLiteral("x")}, false},
        {{QStringLiteral("-qol")}, false},
        {{QString()}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(exerva::StandAloneRun::isStandAloneCommand(c.arguments), c.starts) << c.arguments.join(u'|').toStdString();
}

TEST(StandAloneFoldersTest, SettingsGoToTheConfigurationFolderWhenTheProgramFolderIsNotWritable)
{
    QTemporaryDir writable;
    EXPECT_EQ(exerva::StandAloneRun::settingsFolderFor(writable.path()), writable.path());

    QStandardPaths::setTestModeEnabled(true);
    const QString config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Exerva");
    const QString missing = writable.path() + QStringLiteral("/absent");
    EXPECT_EQ(exerva::StandAloneRun::settingsFolderFor(missing), config);
    EXPECT_TRUE(QFileInfo(config).isDir());
    QDir(config).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}

}  // namespace
