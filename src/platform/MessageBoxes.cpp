#include "MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {

int QtMessageBoxes::show(const QString& text, const QString& title, int buttons, Icon icon)
{
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    }
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    QPushButton* cancel = (buttons & CancelButton) ? box.addButton(QMessageBox::Cancel) : nullptr;
    box.setDefaultButton(ok);
    // Escape and the close box answer Cancel when there is one, else OK.
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return cancel ? Cancel : Ok;
    return clicked == cancel ? Cancel : Ok;
}

int ScriptedMessageBoxes::show(const QString& text, const QString& title, int buttons, Icon icon)
{
    shown_.push_back(Shown{text, title, buttons, icon});
    if (hook_) {
        // A copy: the hook may show another box, which grows the record.
        const Shown current = shown_.back();
        hook_(current);
    }
    if (answers_.empty())
        return Ok;
    const int result = answers_.front();
    answers_.pop_front();
    return result;
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList texts;
    for (const Shown& box : shown_)
        texts.append(box.text);
    return texts;
}

}  // namespace platform
