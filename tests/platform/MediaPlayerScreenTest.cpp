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

namespace {

// A virtual X screen for the length of a test; no display when Xvfb is not
// installed or does not start.
class VirtualScreen {
public:
    VirtualScreen()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
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
        if (written.contains('\n'))
            display_ = QStringLiteral(":") + QString::fromLatin1(written.trimmed());
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

private:
    QProcess server_;
    QString display_;
};

TEST(MediaPlayerScreenTest, PlaysTheSampleClipOnAnXServerWithoutASoundServer)
{
    const VirtualScreen screen;
    if (screen.display().isEmpty())
        GTEST_SKIP() << "no virtual X server";
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
