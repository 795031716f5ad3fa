#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace toolkit {

// One control of a form, in the order of the page.
struct FormControl {
    QString tag;   // "input", "select", "textarea" or "button", in lower case
    QString type;  // an input's type in lower case ("text" when it names none)
    QString name;
    QString value;
    bool checked = false;

    // What a submission sends: a named control that holds a value of its own;
    // buttons never, check boxes and option buttons only when checked.
    bool isSubmitted() const;
};

// The first form of a page, as a browser's form object sees it.
struct HtmlForm {
    QString action;
    QString method;  // in lower case, "get" when the form names none
    std::vector<FormControl> controls;
};

// The first form of the page, read with libxml2's HTML parser, which accepts
// whatever a browser accepts; nothing when the page holds no form.
std::optional<HtmlForm> firstForm(const QString& html);

// The addresses the page's links name (href of each "a"), in their order.
QStringList pageLinks(const QString& html);

}  // namespace toolkit
