#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
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
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    int show(const QString& text, const QString& title, int buttons = OkButton, Icon icon = Icon::None) override;

private:
    QWidget* parent_;
};

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
