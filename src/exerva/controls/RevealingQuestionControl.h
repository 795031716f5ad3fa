#pragma once

#include "exerva/ExerciseControl.h"

#include <QRect>
#include <QString>

#include <cstddef>

class QPushButton;

namespace exerva {

class RevealButton;

// What the single-choice and check-box controls share: contents that may stay
// hidden behind a reveal button until the learner presses it, and a control
// drawn in its own back colour with an optional border.
//
// Member table entries it adds: the properties ModeVisible, BackStyle,
// BackColor, ForeColor, BorderStyle, CmdCaption, cmdBackColor, cmdHeight,
// cmdWidth, cmdTop and cmdLeft, each get and let. Writing a value a property
// does not take (a back style or border other than 0 or 1, a negative button
// size) throws platform::RuntimeError 380, which a call by name reports to the
// file's loader.
class RevealingQuestionControl : public QuestionControl {
    Q_OBJECT
public:
    // -1 while the contents are shown, else 0; any non-zero value shows them.
    long ModeVisible() const;
    void ModeVisible(long value);
    // 0 transparent, 1 opaque.
    long BackStyle() const;
    void BackStyle(long value);
    // Colours are colour numbers (0x00BBGGRR, or a system colour 0x800000nn).
    long BackColor() const;
    void BackColor(long value);
    long ForeColor() const;
    void ForeColor(long value);
    // 0 none, 1 fixed single.
    long BorderStyle() const;
    void BorderStyle(long value);
    QString CmdCaption() const;
    void CmdCaption(const QString& value);
    long cmdBackColor() const;
    void cmdBackColor(long value);
    // The reveal button's place and size in pixels.
    long cmdHeight() const;
    void cmdHeight(long value);
    long cmdWidth() const;
    void cmdWidth(long value);
    long cmdTop() const;
    void cmdTop(long value);
    long cmdLeft() const;
    void cmdLeft(long value);

    // Presses the reveal button, as the learner does; false while it is hidden.
    bool pressReveal();
    QPushButton* revealButton() const;

protected:
    // The control's own background starts as `backColor`.
    RevealingQuestionControl(ExervaContext& context, QWidget* parent, long backColor);
    // Creates the reveal button at `twips` in `backColor`. The control calls it
    // once, after creating its element 0s, so that the button comes after them
    // in the stacking and focus order.
    void createRevealButton(const QRect& twips, long backColor);
    // Control arrays end at element 32767, as the original's did: a file with a
    // runaway number of options or items then fails with overflow (run-time
    // error 6) instead of loading widgets for minutes.
    static void checkRoomForElement(std::size_t elementCount);

    bool isModeVisible() const { return modeVisible_; }
    // Sets the visible mode: the contents as showContents() shows them, the
    // reveal button only while the mode is off.
    void setModeVisible(bool visible);
    // Shows or hides the contents as the visible mode says.
    virtual void showContents() = 0;
    // The learner pressed the reveal button.
    virtual void cmdVisible_Click() = 0;
    // What a BackColor or ForeColor write changes besides the control's own
    // colour; nothing unless the control says so.
    virtual void applyBackColorToContents(long color);
    virtual void applyForeColorToContents(long color);

    void paintEvent(QPaintEvent* event) override;

private:
    RevealButton& button() const;

    RevealButton* cmdVisible_ = nullptr;
    bool modeVisible_ = false;
    long backStyle_ = 1;
    long backColor_;
    long foreColor_;
    long borderStyle_ = 0;
};

}  // namespace exerva
