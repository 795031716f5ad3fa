#include "ControlRegistry.h"

#include "ExerciseControl.h"

namespace exerva {

bool ControlRegistry::add(const QString& programIdentifier, ControlFactory factory)
{
    const QString key = programIdentifier.toCaseFolded();
    if (key.isEmpty() || !factory || factories_.contains(key))
        return false;
    factories_.insert(key, std::move(factory));
    identifiers_.append(programIdentifier);
    return true;
}

bool ControlRegistry::contains(const QString& programIdentifier) const
{
    return factories_.contains(programIdentifier.toCaseFolded());
}

ExerciseControl* ControlRegistry::create(const QString& programIdentifier, ExervaContext& context,
                                         QWidget* parent) const
{
    const auto it = factories_.constFind(programIdentifier.toCaseFolded());
    if (it == factories_.constEnd())
        return nullptr;
    return (*it)(context, parent);
}

}  // namespace exerva
