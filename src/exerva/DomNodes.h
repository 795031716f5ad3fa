#pragma once

#include <QDomNode>
#include <QString>

namespace exerva {

// The child at a position (0-based) among the child nodes the document keeps.
// Throws platform::RuntimeError 91 when there is no such child, as using a
// missing node did in the original.
QDomNode requiredChild(const QDomNode& node, int index);

// The typed value of an untyped node: an element's text, another node's value.
// Throws platform::RuntimeError 91 for a null node.
QString typedText(const QDomNode& node);

}  // namespace exerva
