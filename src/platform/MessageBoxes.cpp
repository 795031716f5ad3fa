#include "MessageBoxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>

namespace platform {

namespace {

// What window managers put in a title bar besides the title: the window's
// icon and its minimise, maximise and close buttons, with their margins.
constexpr int titleBarControlsWidth = 160;
constexpr int besideGap = 16;

// Moves the box beside the window when the window is shown and its screen has room.
void moveBeside(QMessageBox& box, const QWidget* window)
{
    if (!window || !window->isVisible() || !window->screen())
        return;
    const QRect frame = window->frameGeometry();
    // The box sizes itself to its layout's minimum when shown, and gets the
    // same decorations as the window.
    const QSize decorations = frame.size() - window->geometry().size();
    const QSize boxFrame = (box.layout() ? box.layout()->totalMinimumSize() : box.sizeHint()) + decorations;
    // Placed by its inside, as the frame of a window not shown yet is not known.
    if (const auto position = besidePosition(frame, boxFrame, window->screen()->availableGeometry()))
        box.setGeometry(QRect(*position + (window->geometry().topLeft() - frame.topLeft()), box.size()));
}

}  // namespace

std::optional<QPoint> besidePosition(const QRect& windowFrame, const QSize& boxFrame, const QRect& available)
{
    if (boxFrame.height() > available.height())
        return std::nullopt;
    const int top = std::clamp(windowFrame.top(), available.top(), available.bottom() + 1 - boxFrame.height());
    const int right = windowFrame.right() + 1 + besideGap;
    if (right + boxFrame.width() <= available.right() + 1)
        return QPoint(right, top);
    const int left = windowFrame.left() - besideGap - boxFrame.width();
    if (left >= available.left())
        return QPoint(left, top);
    return std::nullopt;
}

int QtMessageBoxes::minimumWidth(const QString& title)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(title) + titleBarControlsWidth;
}

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
    // The box sizes itself to its layout, which this row holds open.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(minimumWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    if (besideWindow_)
        moveBeside(box, besideWindow_());
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
