#pragma once

#include <QString>

namespace toolkit {
class uctButton;
}

namespace exerva {
class frmCT;
}

namespace lumaro {
class LumaroContext;
class Manager;
class frmClient;
} // namespace lumaro

namespace testsupport {

// A learner in front of a question session: works the exercise on screen
// through the exercise controls' own learner actions and presses the buttons
// of the question window, as the mouse and the keyboard would. Each action
// returns false when what it needs is not on screen (no exercise, no control
// of that name and kind, a hidden or disabled element).
class ModuleLearner {
public:
    // The session and the course model's process state it plays; both must
    // outlive the learner.
    ModuleLearner(lumaro::Manager& manager, lumaro::LumaroContext& context);

    // The question window, null when the session has none.
    lumaro::frmClient* questionWindow() const;
    // The exercise window of the question on screen, null when there is none.
    exerva::frmCT* exercise() const;

    // Drags word `word` of the bank of a drag-and-drop gap text into gap `gap`.
    bool dropWord(const QString& control, int word, int gap);
    // Types `text` into box `box` of a typed gap text, after what it held.
    bool type(const QString& control, int box, const QString& text);
    // Chooses option `option` of a single choice, first pressing its reveal
    // button when the options still hide behind it.
    bool choose(const QString& control, int option);
    // Clicks the (true) box of item `item` of a check-box question, first
    // pressing its reveal button when the boxes still hide behind it.
    bool tick(const QString& control, int item);

    // The question window's buttons; false when the button is not there to press.
    bool poursuivre() const;
    bool restart() const;
    bool quit() const;
    bool lesson() const;
    bool solution() const;
    bool help() const;

private:
    bool press(toolkit::uctButton* (lumaro::frmClient::*button)() const) const;
    template <typename Control>
    Control* control(const QString& name) const;

    lumaro::Manager& manager_;
    lumaro::LumaroContext& context_;
};

} // namespace testsupport
