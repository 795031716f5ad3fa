// The launcher's program: its command line, its run as a launch page makes
// it, and --help without a display.

#include "LaunchFixture.h"

#include "LaunchOptions.h"
#include "LaunchRun.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>

namespace {

using pelagoapp::parseLaunchOptions;

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

TEST(LaunchOptionsTest, SessionComesFromTheLaunchAddressOrTheOptions)
{
    struct Case {
        const char* arguments;
        const char* sid;
        const char* url;
    };
    const Case cases[] = {
        {"--launch http://lms/launch?AICC_SID=S1&aicc_url=http%3A%2F%2Flms%2Faicc", "S1", "http://lms/aicc"},
        {"http://lms/launch?aicc_sid=S1&aicc_url=http://lms/aicc", "S1", "http://lms/aicc"},
        {"--aicc-sid S2 --launch http://lms/launch?aicc_sid=S1&aicc_url=http://lms/aicc", "S2", "http://lms/aicc"},
        {"--aicc-sid S3 --aicc-url http://other/aicc", "S3", "http://other/aicc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto parsed = parseLaunchOptions(words(c.arguments)
                                               + words("--lms-url http://lms/ --application 12 --module 1201"));
        ASSERT_TRUE(parsed.options) << parsed.problem.toStdString();
        EXPECT_EQ(parsed.options->aiccSid, QString::fromUtf8(c.sid));
        EXPECT_EQ(parsed.options->aiccUrl, QString::fromUtf8(c.url));
    }
}

TEST(LaunchOptionsTest, IncompleteOrUnreadableCommandLinesAreRefused)
{
    const char* const cases[] = {
        "--lms-url http://lms/ --application 12 --module 1201",
        "--aicc-sid S --aicc-url http://lms/aicc --application 12 --module 1201",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --module 1201",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1 --question 2",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12x --module 1201",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --language FR",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --bogus 1",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --note-max abc",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --note-max -5",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --note-max 2147483648",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --keep-alive 5",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --keep-alive 25:00",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --trace-level x",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --question 12a",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --method soap",
        "--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 --method scorm2",
    };
    for (const char* arguments : cases) {
        SCOPED_TRACE(arguments);
        const auto parsed = parseLaunchOptions(words(arguments));
        EXPECT_FALSE(parsed.options);
        EXPECT_FALSE(parsed.problem.isEmpty());
    }
    EXPECT_TRUE(parseLaunchOptions({QStringLiteral("--help")}).options->help);
    const auto usable = parseLaunchOptions(
        words("--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 "
              "--note-max 20 --keep-alive 0:10 --trace-level 2"));
    ASSERT_TRUE(usable.options) << usable.problem.toStdString();
    EXPECT_EQ(usable.options->noteMax, QStringLiteral("20"));
    EXPECT_EQ(usable.options->keepAlive, QStringLiteral("0:10"));
    EXPECT_EQ(usable.options->traceLevel, 2);
}

// The session reads its method exactly and takes any other word for POST, so
// the command line hands it one of its three words in lower case, however typed.
TEST(LaunchOptionsTest, MethodIsPostGetOrScormInAnyLetterCase)
{
    struct Case {
        const char* arguments;
        const char* method;
    };
    const Case cases[] = {
        {"", "post"},
        {"--method SCORM", "scorm"},
        {"--method Get", "get"},
        {"--method pOsT", "post"},
        {"--method scorm", "scorm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto parsed = parseLaunchOptions(
            words("--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201")
            + words(c.arguments));
        ASSERT_TRUE(parsed.options) << parsed.problem.toStdString();
        EXPECT_EQ(parsed.options->method.toStdString(), c.method);
    }
    const auto refused = parseLaunchOptions(
        words("--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 "
              "--method Soap"));
    EXPECT_EQ(refused.problem.toStdString(), "--method needs post, get or scorm, not \"Soap\"");
}

TEST(LaunchProgramTest, HelpAndAnUnusableCommandLineNeedNoDisplay)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PELAGO_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QString usage = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* option : {"--aicc-sid", "--aicc-url", "--launch", "--language", "--application", "--module",
                               "--question", "--lms-url"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;

    // A command line that cannot be used is told in one line, before any window.
    process.start(QStringLiteral(PELAGO_PROGRAM),
                  words("--aicc-sid S --aicc-url http://lms/aicc --lms-url http://lms/ --application 12 --module 1201 "
                        "--note-max abc"));
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              QStringLiteral("pelago: --note-max needs a whole number from 0 to 2147483647, not \"abc\" "
                             "(pelago --help lists the options)\n"));
}

class LaunchRunTest : public pelagotest::LaunchTest {
protected:
    pelagoapp::LaunchOptions options(const QString& module)
    {
        pelagoapp::LaunchOptions options;
        options.aiccSid = QStringLiteral("SID-9");
        options.aiccUrl = lmsBase() + QStringLiteral("aicc");
        options.lmsUrl = lmsBase();
        options.idAppli = QStringLiteral("12");
        options.idModule = module;
        options.mediaFolder = QStringLiteral(SAMPLES_DIR "/media");
        options.keepAlive = QStringLiteral("00:00:05");
        return options;
    }
};

TEST_F(LaunchRunTest, RunEndsTheProgramWithSuccessOnceTheKeepAliveHasPassed)
{
    manager_.reset();
    pelagoapp::LaunchRun run(data_, options(QStringLiteral("1201")));
    QSignalSpy finished(&run, &pelagoapp::LaunchRun::finished);
    ASSERT_TRUE(run.begin()) << run.problem().toStdString();
    players_->events->FinModule();
    clock_.advanceMs(3200);
    clock_.advanceMs(5200);
    ASSERT_EQ(data_.StateEnCours, pelago::StateReady);
    EXPECT_TRUE(finished.isEmpty()) << "the keep-alive delay runs from the end of the run";
    clock_.advanceSeconds(10);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
    EXPECT_EQ(stored().size(), 2);
}

// In the "scorm" method the program is the page that takes the report and the
// end of the unit as events: it tells each with its values, sends neither to
// the system, and succeeds only when both came with a report that was made.
TEST_F(LaunchRunTest, ScormRunHandsBothEventsToThePageWithoutRequests)
{
    struct Case {
        const char* name;
        bool moduleLost;
        QStringList lines;
        int status;
        QString problem;
    };
    const Case cases[] = {
        {"report made", false,
         {QStringLiteral("FinModule isStatut=completed isScore=66 isTime=00:01:02"), QStringLiteral("ExitAU")}, 0,
         QString()},
        {"report that cannot be made", true, {QStringLiteral("ExitAU")}, 1,
         QStringLiteral("the result report failed: step code 21548, error 91 : ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        manager_.reset();
        pelagoapp::LaunchOptions scorm = options(QStringLiteral("1201"));
        scorm.method = QStringLiteral("scorm");
        pelagoapp::LaunchRun run(data_, scorm);
        QSignalSpy finished(&run, &pelagoapp::LaunchRun::finished);
        QSignalSpy events(&run, &pelagoapp::LaunchRun::pageEvent);
        ASSERT_TRUE(run.begin()) << run.problem().toStdString();
        lumaro::ContexteManager& model = *data_.puoBarreManager->pioKavParc;
        // Two of the module's three questions passed, in a minute and two seconds.
        model.ModuleEnCours()->NbQuestReussi(2);
        clock_.advanceSeconds(62);
        if (c.moduleLost)
            model.DestroyModule();
        players_->events->FinModule();
        clock_.advanceSeconds(30);
        QStringList lines;
        for (const QList<QVariant>& event : events)
            lines.append(event.at(0).toString());
        EXPECT_EQ(lines.join(u'\n').toStdString(), c.lines.join(u'\n').toStdString());
        ASSERT_EQ(finished.size(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), c.status);
        EXPECT_TRUE(c.problem.isEmpty() ? run.problem().isEmpty() : run.problem().startsWith(c.problem))
            << run.problem().toStdString();
        EXPECT_TRUE(stored().isEmpty()) << "neither putparam nor exitAU goes to the system";
    }
}

// The program succeeds only when the system accepted both the report and the
// end of the unit; each refusal is told with the system's own words.
TEST_F(LaunchRunTest, RefusedReportOrEndOfUnitEndsTheProgramWithAFailure)
{
    struct Case {
        const char* name;
        int refusedBeforeReport;
        int refusedAfterReport;
        QString problem;
    };
    const QString report = QStringLiteral("the result report failed: step code 21543, error 1 : Invalid Command");
    const QString exit = QStringLiteral("the end of the unit failed: step code 21544, error 1 : Invalid Command");
    const Case cases[] = {
        {"report refused", 1, 0, report},
        {"end of the unit refused", 0, 1, exit},
        {"both refused", 2, 0, report + QStringLiteral("; ") + exit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        manager_.reset();
        pelagoapp::LaunchRun run(data_, options(QStringLiteral("1201")));
        QSignalSpy finished(&run, &pelagoapp::LaunchRun::finished);
        ASSERT_TRUE(run.begin()) << run.problem().toStdString();
        const auto refuse = [this](int count) {
            courseserver::Fault refused;
            refused.kind = courseserver::FaultKind::KavErreur;
            refused.body = "error=1\r\nerror_txt=Invalid Command\r\n";
            refused.page = "aicc";
            refused.count = count;
            if (count > 0)
                server_->addFault(refused);
        };
        refuse(c.refusedBeforeReport);
        players_->events->FinModule();
        refuse(c.refusedAfterReport);
        clock_.advanceSeconds(30);
        ASSERT_EQ(finished.size(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), 1);
        EXPECT_EQ(run.problem().toStdString(), c.problem.toStdString());
    }
}

// A failed start ends the launcher at once, everything torn down while the
// application still exists, and tells its step code.
TEST_F(LaunchRunTest, FailedStartEndsTheLauncherAndTellsItsStepCode)
{
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        QString module;
        QString problem;
    };
    const Case cases[] = {
        {"refused run", [this] { data_.createRegistry = [] { return nullptr; }; }, QStringLiteral("1201"),
         QStringLiteral("AskStart failed: step code 21503")},
        {"unknown module", [] {}, QStringLiteral("9999"), QStringLiteral("StartModule failed: step code 21553")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        manager_.reset();
        c.breakIt();
        pelagoapp::LaunchRun run(data_, options(c.module));
        QSignalSpy finished(&run, &pelagoapp::LaunchRun::finished);
        EXPECT_FALSE(run.begin());
        EXPECT_TRUE(run.problem().startsWith(c.problem)) << run.problem().toStdString();
        ASSERT_EQ(finished.size(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), 1);
        EXPECT_EQ(data_.StateEnCours, pelago::StateNone);
        EXPECT_EQ(data_.puoBarreManager, nullptr);
        EXPECT_EQ(data_.oLangue, nullptr);
        EXPECT_EQ(timers_.activeCount(), 0);
    }
}

}  // namespace
