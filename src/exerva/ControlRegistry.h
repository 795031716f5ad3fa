#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace exerva {

class ExerciseControl;
struct ExervaContext;

// Creates the control an exercise file names by program identifier, as a child
// of the exercise window.
using ControlFactory = std::function<ExerciseControl*(ExervaContext& context, QWidget* parent)>;

// The program identifiers the exercise window accepts and how each control is
// made. Identifiers are compared without regard to case, as program
// identifiers always were.
class ControlRegistry {
public:
    // False, with nothing changed, for an empty identifier, an identifier
    // already registered or an empty factory.
    bool add(const QString& programIdentifier, ControlFactory factory);

    bool contains(const QString& programIdentifier) const;

    // A new control of that identifier with the parent, or null when the
    // identifier is not registered or the factory makes nothing.
    ExerciseControl* create(const QString& programIdentifier, ExervaContext& context, QWidget* parent) const;

    // The identifiers in the order they were added.
    QStringList programIdentifiers() const { return identifiers_; }

private:
    QHash<QString, ControlFactory> factories_;
    QStringList identifiers_;
};

// The registry of the system's six controls ("Exerva.KavESP", "Exerva.KavPAT",
// "Exerva.KavBO", "Exerva.KavCC", "Exerva.KavFLASH", "Exerva.Tools"), built once
// per process.
const ControlRegistry& systemControlRegistry();

}  // namespace exerva
