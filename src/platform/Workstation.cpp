#include "Workstation.h"

#include <QRegularExpression>

#include <limits.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

QString userOf(uid_t uid)
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return {};
    return QString::fromLocal8Bit(found->pw_name);
}

QString hostName()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return QString::fromLocal8Bit(name);
}

}  // namespace

WorkstationFacts currentWorkstation()
{
    WorkstationFacts facts;
    facts.userName = userOf(geteuid());
    char login[LOGIN_NAME_MAX + 1] = {};
    facts.loginName = getlogin_r(login, sizeof login - 1) == 0 ? QString::fromLocal8Bit(login) : facts.userName;
    facts.computerName = hostName();
    utsname system{};
    if (uname(&system) == 0) {
        facts.systemName = QString::fromLocal8Bit(system.sysname);
        const auto version =
            QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)")).match(QString::fromLocal8Bit(system.release));
        facts.systemVersion = version.hasMatch() ? version.captured(1) + u'.' + version.captured(2)
                                                 : QString::fromLocal8Bit(system.release);
#ifdef _GNU_SOURCE
        const QString domain = QString::fromLocal8Bit(system.domainname);
        if (domain != QLatin1String("(none)"))
            facts.domainName = domain;
#endif
    }
    return facts;
}

}  // namespace platform
