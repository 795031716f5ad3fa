#include "Display.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

QString environment(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

// Qt's choice when nothing names a platform: the X11 one, except in a Wayland
// session, where it tries Wayland first.
QStringList defaultPlatforms(const QString& sessionType)
{
    if (sessionType == QLatin1String("wayland"))
        return {QStringLiteral("wayland"), QStringLiteral("xcb")};
    return {QStringLiteral("xcb")};
}

// The platform named on the command line, as Qt reads it ("-platform" or "--platform").
QString commandLinePlatform(int argc, const char* const* argv)
{
    QString platform;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform")
            platform = QString::fromLocal8Bit(argv[i + 1]);
    }
    return platform;
}

QString waylandSocketPath(const DisplaySetting& setting)
{
    const QString name = setting.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : setting.waylandDisplay;
    if (QDir::isAbsolutePath(name))
        return name;
    if (setting.runtimeDir.isEmpty())
        return {};
    return setting.runtimeDir + QLatin1Char('/') + name;
}

// Why that one platform shows nothing, "" when it can show windows.
QString platformProblem(const QString& entry, const DisplaySetting& setting, const DisplayConnector& connector)
{
    const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    if (name == QLatin1String("xcb")) {
        if (setting.x11Display.isEmpty())
            return QStringLiteral("DISPLAY is not set");
        if (!connector.connectX11(setting.x11Display))
            return QStringLiteral("cannot open the X display \"%1\"").arg(setting.x11Display);
        return {};
    }
    if (name.startsWith(QLatin1String("wayland"))) {
        const QString socket = waylandSocketPath(setting);
        if (socket.isEmpty() || !connector.connectWayland(socket))
            return QStringLiteral("cannot connect to the Wayland display \"%1\"")
                .arg(setting.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : setting.waylandDisplay);
        return {};
    }
    if (name == QLatin1String("offscreen") || name == QLatin1String("minimal") || name == QLatin1String("minimalegl"))
        return QStringLiteral("the platform \"%1\" shows nothing").arg(name);
    return {};
}

}  // namespace

DisplaySetting DisplaySetting::ofProcess(int argc, const char* const* argv)
{
    DisplaySetting setting;
    QString platform = commandLinePlatform(argc, argv);
    if (platform.isEmpty())
        platform = environment("QT_QPA_PLATFORM");
    setting.platforms = platform.isEmpty() ? defaultPlatforms(environment("XDG_SESSION_TYPE"))
                                           : platform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    setting.x11Display = environment("DISPLAY");
    setting.waylandDisplay = environment("WAYLAND_DISPLAY");
    setting.runtimeDir = environment("XDG_RUNTIME_DIR");
    return setting;
}

bool SystemDisplayConnector::connectX11(const QString& display) const
{
    const QByteArray name = display.toLocal8Bit();
    xcb_connection_t* connection = xcb_connect(name.constData(), nullptr);
    const bool connected = connection && xcb_connection_has_error(connection) == 0;
    if (connection)
        xcb_disconnect(connection);
    return connected;
}

bool SystemDisplayConnector::connectWayland(const QString& socketPath) const
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address{};
    if (path.isEmpty() || std::size_t(path.size()) >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

QString displayProblem(const DisplaySetting& setting, const DisplayConnector& connector)
{
    if (setting.platforms.isEmpty())
        return QStringLiteral("no window-system platform is named");
    QStringList problems;
    for (const QString& entry : setting.platforms) {
        const QString problem = platformProblem(entry, setting, connector);
        if (problem.isEmpty())
            return {};
        if (!problems.contains(problem))
            problems.append(problem);
    }
    return problems.join(QStringLiteral("; "));
}

bool requireDisplay(const char* program, int argc, const char* const* argv)
{
    const QString problem = displayProblem(DisplaySetting::ofProcess(argc, argv), SystemDisplayConnector());
    if (problem.isEmpty())
        return true;
    std::fprintf(stderr, "%s: no display to show windows on: %s\n", program, problem.toLocal8Bit().constData());
    return false;
}

}  // namespace platform
