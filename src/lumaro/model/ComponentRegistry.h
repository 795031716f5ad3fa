#pragma once

#include "ModuleInterractif.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace lumaro {

// Where interactive exercise components come from. A component is named by its
// program identifier, the component name followed by ".Module". It is created by
// a factory registered in the process under that name, or else by the plug-in
// file "<name>.Module.so" found in one of the component folders (looked up
// exactly, then without regard to case) and loaded with QPluginLoader; the
// plug-in's root object must offer ModuleInterractifFactory.
class ComponentRegistry {
public:
    using Factory = std::function<std::shared_ptr<ModuleInterractif>()>;

    ComponentRegistry();

    // A name made only of letters, digits, "_", "." and "-": it can never name a
    // file outside the component folders.
    static bool isValidName(const QString& nom);
    // "<name>.Module"
    static QString programId(const QString& nom);
    // "<name>.Module.so"
    static QString pluginFileName(const QString& nom);

    // Names are compared without regard to case; a later registration replaces an earlier one.
    void registerComponent(const QString& nom, Factory factory);
    void unregisterComponent(const QString& nom);

    // The program's own folder until the host configures others.
    QStringList folders() const { return folders_; }
    void setFolders(const QStringList& folders) { folders_ = folders; }

    // A new component object. Throws platform::RuntimeError 429 when the name is
    // not valid or no component of that name can be created.
    std::shared_ptr<ModuleInterractif> create(const QString& nom) const;

private:
    std::shared_ptr<ModuleInterractif> loadPlugin(const QString& nom) const;

    QHash<QString, Factory> factories_;
    QStringList folders_;
};

}  // namespace lumaro
