#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

// The program's modal message boxes. A box shows a text under a title with an
// OK button, optionally a Cancel button, and optionally an icon, and waits until
// the user answers. Tests answer the boxes by script instead.
class MessageBoxes {
public:
    // The answer, with the values message boxes have always returned: 1 OK,
    // 2 Cancel, 0 when no box could be shown.
    enum Result : int {
        NoResult = 0,
        Ok = 1,
        Cancel = 2,
    };
    // The buttons offered, a combination of these flags; OK is always offered.
    enum Button : int {
        OkButton = 1,
        CancelButton = 2,
    };
    enum class Icon {
        None,
        Information,
        Warning,
    };

    virtual ~MessageBoxes() = default;

    // Shows the box and returns the button pressed. Closing the box without a
    // button answers Cancel when it was offered, else OK.
    virtual int show(const QString& text, const QString& title, int buttons = OkButton, Icon icon = Icon::None) = 0;
};

// Real message boxes (QMessageBox), centred over the parent when one is given.
// A box is never too narrow for the window manager to show its title.
class QtMessageBoxes final : public MessageBoxes {
public:
    // Tells which window the boxes are about: null when there is none (yet).
    using WindowFinder = std::function<QWidget*()>;

    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    int show(const QString& text, const QString& title, int buttons = OkButton, Icon icon = Icon::None) override;

    // Boxes open beside the window `finder` gives, while it is shown and its
    // screen has room, so that they leave it in sight; elsewhere as before.
    void placeBeside(WindowFinder finder) { besideWindow_ = std::move(finder); }

    // The narrowest box that still shows the title, in pixels: the title's
    // width in a bold font and room for the title bar's icon and buttons.
    static int minimumWidth(const QString& title);

private:
    QWidget* parent_;
    WindowFinder besideWindow_;
};

// Where a box of that size (frame included) goes beside a window's frame on a
// screen's available area: to its right, else to its left, 16 pixels apart,
// level with its top as far as the screen lets it; nothing when neither side
// has room.
std::optional<QPoint> besidePosition(const QRect& windowFrame, const QSize& boxFrame, const QRect& available);

// Message boxes answered by a script: every box is recorded, and answered with
// the next queued answer, or OK when the queue is empty. A hook may act while
// the box is "on screen", as a user would before answering.
class ScriptedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        int buttons = OkButton;
        Icon icon = Icon::None;
    };

    int show(const QString& text, const QString& title, int buttons = OkButton, Icon icon = Icon::None) override;

    // Queues the answer to a box still to come.
    void answer(int result) { answers_.push_back(result); }
    // Runs for every box, before it is answered.
    void onShow(std::function<void(const Shown&)> hook) { hook_ = std::move(hook); }

    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of the boxes shown, in order.
    QStringList texts() const;

private:
    std::vector<Shown> shown_;
    std::deque<int> answers_;
    std::function<void(const Shown&)> hook_;
};

}  // namespace platform
