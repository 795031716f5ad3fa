// The sample course server as a program: started on a free port, it answers the
// sample course's pages and logs them.

#include "support/TempDir.h"

#include <QProcess>
#include <QUrl>

#include <httplib.h>

#include <gtest/gtest.h>

namespace {

class CourseServerProgramTest : public testsupport::TempDirTest {
protected:
    void TearDown() override
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(10000);
        }
    }

    QProcess process_;
};

TEST_F(CourseServerProgramTest, AnswersTheSampleCoursePagesOnTheFreePortItPrints)
{
    process_.start(QStringLiteral(COURSE_SERVER_PROGRAM),
                   {QStringLiteral("--data"), QStringLiteral(SAMPLE_SERVER_DIR), QStringLiteral("--port"),
                    QStringLiteral("0"), QStringLiteral("--records"), dir()});
    ASSERT_TRUE(process_.waitForReadyRead(10000));
    const QUrl base(QString::fromUtf8(process_.readLine()).trimmed());
    ASSERT_TRUE(base.isValid());
    ASSERT_GT(base.port(), 0);

    httplib::Client client("127.0.0.1", base.port());
    client.set_read_timeout(10);
    const auto startUp = client.Get("/WS/initplugin.aspx?sessionid=42");
    ASSERT_TRUE(startUp);
    EXPECT_EQ(startUp->status, 200);
    EXPECT_NE(startUp->body.find("#" + base.toString().toStdString() + "#"), std::string::npos);
    const auto language = client.Get("/WS/pluginlng.aspx?sessionid=42");
    ASSERT_TRUE(language);
    EXPECT_EQ(language->body.rfind("[General]%VBCRLF%", 0), 0u);

    ASSERT_TRUE(process_.canReadLine() || process_.waitForReadyRead(10000));
    EXPECT_EQ(QString::fromUtf8(process_.readLine()).trimmed(),
              QStringLiteral("GET /WS/initplugin.aspx?sessionid=42 200"));

    process_.terminate();
    ASSERT_TRUE(process_.waitForFinished(10000));
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process_.exitCode(), 0);
}

TEST_F(CourseServerProgramTest, FaultSwitchesOnTheCommandLineSpoilReplies)
{
    process_.start(QStringLiteral(COURSE_SERVER_PROGRAM),
                   {QStringLiteral("--data"), QStringLiteral(SAMPLE_SERVER_DIR), QStringLiteral("--port"),
                    QStringLiteral("0"), QStringLiteral("--fault"), QStringLiteral("status=500:initplugin:1")});
    ASSERT_TRUE(process_.waitForReadyRead(10000));
    const QUrl base(QString::fromUtf8(process_.readLine()).trimmed());
    httplib::Client client("127.0.0.1", base.port());
    client.set_read_timeout(10);
    const auto first = client.Get("/WS/initplugin.aspx?sessionid=1");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->status, 500);
    const auto second = client.Get("/WS/initplugin.aspx?sessionid=1");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->status, 200);
}

TEST_F(CourseServerProgramTest, RefusesABadCommandLine)
{
    const QStringList lines[] = {
        {},
        {QStringLiteral("--data"), dir() + QStringLiteral("missing")},
        {QStringLiteral("--data"), dir(), QStringLiteral("--port"), QStringLiteral("70000")},
        {QStringLiteral("--data"), dir(), QStringLiteral("--fault"), QStringLiteral("loud")},
        {QStringLiteral("--data")},
    };
    for (const QStringList& arguments : lines) {
        QProcess process;
        process.start(QStringLiteral(COURSE_SERVER_PROGRAM), arguments);
        ASSERT_TRUE(process.waitForFinished(10000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().startsWith("course-server: "));
    }
}

}  // namespace
