#pragma once

#include <QDomNode>
#include <QString>

namespace exerva {

class ControlRegistry;
struct ExervaContext;
class frmCT;

// CALLBYNAME nodes may nest through argument kind 2 this deep; a deeper node
// fails with 23014 instead of exhausting the stack.
inline constexpr int maxCallByNameDepth = 16;

// Loads one zone of an exercise file into the window: OBJECT nodes add the
// registry's controls under their identifiers, CALLBYNAME nodes call their
// members, anything else is skipped. iosIDObject receives the identifier of
// the last OBJECT node met. Returns 1, or the state of the step that failed
// (23011-23018, or a control's own state from a kind-4 call); the zone stops
// there and the controls added so far stay. The state is also left in the
// context. Nothing is thrown.
long puLoadZone(ExervaContext& context, const ControlRegistry& registry, frmCT* window, const QDomNode& zone,
                QString& iosIDObject);

// Applies one CALLBYNAME node to the window's control it names. A kind-1 call
// hands the member's result back as text in sValue. depth is 1 for a node of a
// zone. Returns 1 or the failing step's state (23014-23018, a kind-4 member's
// own state); also left in the context. Nothing is thrown.
long piApplyCallByname(ExervaContext& context, frmCT* window, const QDomNode& node, QString& sValue, int depth = 1);

}  // namespace exerva
