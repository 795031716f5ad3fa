#include "ControlRegistry.h"
#include "Tools.h"
#include "controls/KavBO.h"
#include "controls/KavCC.h"
#include "controls/KavESP.h"
#include "controls/KavFLASH.h"
#include "controls/KavPAT.h"

namespace exerva {

namespace {

template <typename Control>
ControlFactory factory()
{
    return [](ExervaContext& context, QWidget* parent) -> ExerciseControl* { return new Control(context, parent); };
}

}  // namespace

// The exercise window accepts these six program identifiers and no other.
const ControlRegistry& systemControlRegistry()
{
    static const ControlRegistry registry = [] {
        ControlRegistry made;
        made.add(QStringLiteral("Exerva.KavESP"), factory<KavESP>());
        made.add(QStringLiteral("Exerva.KavPAT"), factory<KavPAT>());
        made.add(QStringLiteral("Exerva.KavBO"), factory<KavBO>());
        made.add(QStringLiteral("Exerva.KavCC"), factory<KavCC>());
        made.add(QStringLiteral("Exerva.KavFLASH"), factory<KavFLASH>());
        made.add(QStringLiteral("Exerva.Tools"), factory<Tools>());
        return made;
    }();
    return registry;
}

}  // namespace exerva
