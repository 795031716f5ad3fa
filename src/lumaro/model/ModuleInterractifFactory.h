#pragma once

#include "ModuleInterractif.h"

#include <QtPlugin>

#include <memory>

namespace lumaro {

// What the root object of a component plug-in offers: a new component object
// for each binding. A plug-in file is named after the component's program
// identifier, the component name followed by ".Module" (see ComponentRegistry).
class ModuleInterractifFactory {
public:
    virtual ~ModuleInterractifFactory() = default;
    virtual std::shared_ptr<ModuleInterractif> CreateModule() = 0;
};

}  // namespace lumaro

#define LumaroModuleInterractifFactory_iid "lumaro.ModuleInterractifFactory/1.0"
Q_DECLARE_INTERFACE(lumaro::ModuleInterractifFactory, LumaroModuleInterractifFactory_iid)
