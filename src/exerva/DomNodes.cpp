#include "DomNodes.h"

#include "platform/RuntimeError.h"

#include <QDomElement>
#include <QDomNodeList>

namespace exerva {

QDomNode requiredChild(const QDomNode& node, int index)
{
    if (node.isNull())
        throw platform::RuntimeError(platform::ObjectNotSet);
    const QDomNodeList children = node.childNodes();
    if (index < 0 || index >= children.count())
        throw platform::RuntimeError(platform::ObjectNotSet);
    return children.at(index);
}

QString typedText(const QDomNode& node)
{
    if (node.isNull())
        throw platform::RuntimeError(platform::ObjectNotSet);
    if (node.isElement())
        return node.toElement().text();
    return node.nodeValue();
}

}  // namespace exerva
