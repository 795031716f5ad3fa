#include "KavReg.h"

#include "platform/Paths.h"

#include <QSettings>
#include <QStandardPaths>

namespace toolkit {
namespace {

constexpr long WriteFailed = 1;
constexpr long UnknownRoot = 2;

QString settingsKey(const QString& key, const QString& valueName, long option)
{
    QString group = platform::paths::fromData(key);
    while (group.endsWith(u'/'))
        group.chop(1);
    while (group.startsWith(u'/'))
        group.remove(0, 1);
    if (option != KavReg::FromHiveRoot)
        group = group.isEmpty() ? QStringLiteral("Family") : QStringLiteral("Family/") + group;
    return group.isEmpty() ? valueName : group + u'/' + valueName;
}

}  // namespace

KavReg::Files KavReg::defaultFiles()
{
    const QString family = QStringLiteral("/Quelvoro/registry.ini");
    const QStringList system = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    return {QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + family,
            (system.size() > 1 ? system.last() : QStringLiteral("/etc/xdg")) + family};
}

QString KavReg::fileOf(long root) const
{
    if (root == CurrentUser)
        return files_.user;
    if (root == LocalMachine)
        return files_.machine;
    return {};
}

long KavReg::SetValue(long root, const QString& key, const QString& valueName, const QString& value, long option)
{
    const QString file = fileOf(root);
    if (file.isEmpty())
        return UnknownRoot;
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(settingsKey(key, valueName, option), value);
    settings.sync();
    return settings.status() == QSettings::NoError ? 0 : WriteFailed;
}

QString KavReg::GetValue(long root, const QString& key, const QString& valueName, long option) const
{
    const QString file = fileOf(root);
    if (file.isEmpty())
        return {};
    const QSettings settings(file, QSettings::IniFormat);
    return settings.value(settingsKey(key, valueName, option)).toString();
}

}  // namespace toolkit
