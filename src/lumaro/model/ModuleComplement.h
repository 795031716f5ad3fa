#pragma once

#include <QString>
#include <QtPlugin>

namespace lumaro {

// The complements an interactive exercise component gives with a wrong answer:
// texts that replace "#1", "#2"... in the feedback message.
class ModuleComplement {
public:
    virtual ~ModuleComplement() = default;
    // Slot 1: the number of complements.
    virtual long Count() = 0;
    // Slot 2: the complement text at a 1-based index.
    virtual QString Item(long index) = 0;
};

}  // namespace lumaro

#define LumaroModuleComplement_iid "lumaro.ModuleComplement/1.0"
Q_DECLARE_INTERFACE(lumaro::ModuleComplement, LumaroModuleComplement_iid)
