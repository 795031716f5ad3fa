#pragma once

#include <QPushButton>
#include <QRect>

namespace exerva {

// The reveal button of a question-type control that keeps its contents hidden
// until the learner asks for them: a bold push button drawn in its own back
// colour, placed in twips and read and written in pixels through the
// control's cmd... properties.
class RevealButton : public QPushButton {
    Q_OBJECT
public:
    RevealButton(const QRect& twips, long backColor, QWidget* parent);

    // A colour number (see oleColorToQColor).
    long backColor() const { return backColor_; }
    void setBackColor(long color);

    // Pixels: reading rounds the twips down; writing throws
    // platform::RuntimeError 380 for a negative size or a value beyond 32767.
    long heightPixels() const;
    void setHeightPixels(long pixels);
    long widthPixels() const;
    void setWidthPixels(long pixels);
    long topPixels() const;
    void setTopPixels(long pixels);
    long leftPixels() const;
    void setLeftPixels(long pixels);

    // Presses the button as the learner does; false while it is hidden or disabled.
    bool press();

private:
    void place();

    QRect twips_;
    long backColor_ = 0;
};

}  // namespace exerva
