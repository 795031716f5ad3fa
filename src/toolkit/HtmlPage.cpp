#include "HtmlPage.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <memory>

namespace toolkit {
namespace {

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;

Document parse(const QString& html)
{
    const QByteArray bytes = html.toUtf8();
    return Document(htmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), nullptr, "UTF-8",
                                   HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
}

QString nameOf(const xmlNode* node)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(node->name)).toLower();
}

std::optional<QString> attribute(const xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value)
        return std::nullopt;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

QString content(const xmlNode* node)
{
    xmlChar* value = xmlNodeGetContent(node);
    const QString text = value ? QString::fromUtf8(reinterpret_cast<const char*>(value)) : QString();
    xmlFree(value);
    return text;
}

// Elements in document order, depth first.
template <typename Visit>
void walk(xmlNode* node, Visit&& visit)
{
    for (; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && !visit(node))
            continue;
        walk(node->children, visit);
    }
}

QString selectValue(xmlNode* select)
{
    std::optional<QString> first;
    std::optional<QString> selected;
    walk(select->children, [&](xmlNode* node) {
        if (nameOf(node) != QLatin1String("option"))
            return true;
        const QString value = attribute(node, "value").value_or(content(node).trimmed());
        if (!first)
            first = value;
        if (!selected && attribute(node, "selected"))
            selected = value;
        return false;
    });
    return selected.value_or(first.value_or(QString()));
}

FormControl controlOf(xmlNode* node)
{
    FormControl control;
    control.tag = nameOf(node);
    control.name = attribute(node, "name").value_or(QString());
    if (control.tag == QLatin1String("input")) {
        control.type = attribute(node, "type").value_or(QStringLiteral("text")).toLower();
        control.checked = attribute(node, "checked").has_value();
        const bool choice = control.type == QLatin1String("checkbox") || control.type == QLatin1String("radio");
        control.value = attribute(node, "value").value_or(choice ? QStringLiteral("on") : QString());
    } else if (control.tag == QLatin1String("textarea")) {
        control.value = content(node);
    } else if (control.tag == QLatin1String("select")) {
        control.value = selectValue(node);
    } else {
        control.type = attribute(node, "type").value_or(QStringLiteral("submit")).toLower();
        control.value = attribute(node, "value").value_or(QString());
    }
    return control;
}

}  // namespace

bool FormControl::isSubmitted() const
{
    if (name.isEmpty() || tag == QLatin1String("button"))
        return false;
    if (type == QLatin1String("submit") || type == QLatin1String("reset") || type == QLatin1String("button")
        || type == QLatin1String("image") || type == QLatin1String("file"))
        return false;
    if (type == QLatin1String("checkbox") || type == QLatin1String("radio"))
        return checked;
    return true;
}

std::optional<HtmlForm> firstForm(const QString& html)
{
    const Document document = parse(html);
    if (!document)
        return std::nullopt;
    std::optional<HtmlForm> form;
    walk(xmlDocGetRootElement(document.get()), [&](xmlNode* node) {
        if (form || nameOf(node) != QLatin1String("form"))
            return !form;
        HtmlForm found;
        found.action = attribute(node, "action").value_or(QString());
        found.method = attribute(node, "method").value_or(QStringLiteral("get")).toLower();
        walk(node->children, [&](xmlNode* child) {
            const QString tag = nameOf(child);
            if (tag == QLatin1String("input") || tag == QLatin1String("select") || tag == QLatin1String("textarea")
                || tag == QLatin1String("button")) {
                if (tag != QLatin1String("input")
                    || attribute(child, "type").value_or(QString()).toLower() != QLatin1String("image"))
                    found.controls.push_back(controlOf(child));
                return false;
            }
            return true;
        });
        form = std::move(found);
        return false;
    });
    return form;
}

QStringList pageLinks(const QString& html)
{
    QStringList links;
    const Document document = parse(html);
    if (!document)
        return links;
    walk(xmlDocGetRootElement(document.get()), [&](xmlNode* node) {
        if (nameOf(node) == QLatin1String("a")) {
            if (const auto href = attribute(node, "href"))
                links.append(*href);
        }
        return true;
    });
    return links;
}

}  // namespace toolkit
