// The Qt media player on an X server without a sound server, as a learner's
// workstation may be: the sample clip plays its picture there.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// A virtual X screen for the length of a test. Xvfb is one of the suite's
// dependencies (scripts/install-deps): a screen that cannot start is a fault
// of the set-up, which problem() names.
class VirtualScreen {
public:
    VirtualScreen()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) {
            problem_ = "Xvfb is not on the PATH: install the package xvfb (scripts/install-deps)";
            return;
        }
        // Xvfb chooses a free display and writes its number, then a new line.
        server_.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp")});
        QByteArray written;
        QElapsedTimer waited;
        waited.start();
        while (!written.contains('\n') && waited.elapsed() < 15000 && server_.state() != QProcess::NotRunning) {
            server_.waitForReadyRead(500);
            written += server_.readAllStandardOutput();
        }
        if (written.contains('\n')) {
            display_ = QStringLiteral(":") + QString::fromLatin1(written.trimmed());
            return;
        }
        if (server_.error() == QProcess::FailedToStart)
            problem_ = "Xvfb (" + xvfb.toStdString() + ") could not be started: " + server_.errorString().toStdString();
        else if (server_.state() == QProcess::NotRunning)
            problem_ = "Xvfb (" + xvfb.toStdString() + ") ended without giving a display";
        else
            problem_ = "Xvfb (" + xvfb.toStdString() + ") gave no display within 15 s";
        const QByteArray said = server_.readAllStandardError().trimmed();
        if (!said.isEmpty())
            problem_ += ": " + said.toStdString();
    }
    ~VirtualScreen()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.terminate();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    QString display() const { return display_; }
    // Why there is no display; empty when there is one.
    const std::string& problem() const { return problem_; }

private:
    QProcess server_;
    QString display_;
    std::string problem_;
};

TEST(MediaPlayerScreenTest, PlaysTheSampleClipOnAnXServerWithoutASoundServer)
{
    const VirtualScreen screen;
    ASSERT_TRUE(screen.problem().empty()) << "no virtual X screen: " << screen.problem();
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("run")));
    QFile::setPermissions(home.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), screen.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    // A sound server that is not there.
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + home.filePath(QStringLiteral("none")));
    // The sound and graphics libraries keep what they allocate until the process ends.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));

    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(MEDIA_SCREEN_PROBE), {QStringLiteral(SAMPLES_DIR "/media/lecon12.avi")});
    ASSERT_TRUE(probe.waitForFinished(90000));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardOutput().toStdString()
                                   << probe.readAllStandardError().toStdString();
}

}  // namespace
