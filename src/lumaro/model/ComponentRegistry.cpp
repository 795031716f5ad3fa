#include "ComponentRegistry.h"

#include "ModuleInterractifFactory.h"

#include "platform/Paths.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>

namespace lumaro {

namespace {

// Long enough for any real component name, short enough to stay a file name.
constexpr qsizetype maxNameLength = 200;

[[noreturn]] void cannotCreate(const QString& programId, const QString& reason)
{
    throw platform::RuntimeError(platform::CannotCreateObject,
                                 platform::runtimeErrorText(platform::CannotCreateObject) + QStringLiteral(" (")
                                     + programId + QStringLiteral(": ") + reason + QLatin1Char(')'));
}

}  // namespace

ComponentRegistry::ComponentRegistry()
{
    if (QCoreApplication::instance())
        folders_ << QCoreApplication::applicationDirPath();
}

bool ComponentRegistry::isValidName(const QString& nom)
{
    if (nom.isEmpty() || nom.size() > maxNameLength)
        return false;
    for (const QChar c : nom) {
        const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
            || c == u'_' || c == u'.' || c == u'-';
        if (!allowed)
            return false;
    }
    return true;
}

QString ComponentRegistry::programId(const QString& nom)
{
    return nom + QStringLiteral(".Module");
}

QString ComponentRegistry::pluginFileName(const QString& nom)
{
    return programId(nom) + QStringLiteral(".so");
}

void ComponentRegistry::registerComponent(const QString& nom, Factory factory)
{
    factories_.insert(nom.toCaseFolded(), std::move(factory));
}

void ComponentRegistry::unregisterComponent(const QString& nom)
{
    factories_.remove(nom.toCaseFolded());
}

std::shared_ptr<ModuleInterractif> ComponentRegistry::create(const QString& nom) const
{
    if (!isValidName(nom))
        cannotCreate(programId(nom), QStringLiteral("invalid component name"));
    const auto registered = factories_.constFind(nom.toCaseFolded());
    std::shared_ptr<ModuleInterractif> component =
        registered != factories_.constEnd() && *registered ? (*registered)() : loadPlugin(nom);
    if (!component)
        cannotCreate(programId(nom), QStringLiteral("the component gave no object"));
    return component;
}

std::shared_ptr<ModuleInterractif> ComponentRegistry::loadPlugin(const QString& nom) const
{
    const QString fileName = pluginFileName(nom);
    for (const QString& folder : folders_) {
        if (folder.isEmpty())
            continue;
        const QString found = platform::paths::findExisting(platform::paths::withTrailingSeparator(folder) + fileName);
        if (!QFileInfo(found).isFile())
            continue;
        // The library stays loaded for the rest of the process: its objects may live that long.
        QPluginLoader loader(found);
        QObject* root = loader.instance();
        if (!root)
            cannotCreate(programId(nom), loader.errorString());
        auto* factory = qobject_cast<ModuleInterractifFactory*>(root);
        if (!factory)
            cannotCreate(programId(nom), QStringLiteral("the plug-in offers no component factory"));
        return factory->CreateModule();
    }
    cannotCreate(programId(nom), QStringLiteral("not registered"));
}

}  // namespace lumaro
