#pragma once

#include "ButtonPictures.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace toolkit {

// A button drawn from three pictures (up, down, disabled) instead of a drawn
// frame, working as a push or a toggle button. Owners show a state by setting
// `ButtonPosition`; a button at position 3 (disabled) raises no event at all.
// This is the video player's button; `uctButton` adds a caption on top.
class usrButton : public QWidget {
    Q_OBJECT

public:
    enum Position : long {
        PositionUp = 1,
        PositionDown = 2,
        PositionDisabled = 3,
    };
    enum State : long {
        PushButton = 1,
        ToggleButton = 2,
    };

    explicit usrButton(QWidget* parent = nullptr);

    // True: the button takes the size of the picture on display.
    bool AutoSize() const { return autoSize_; }
    void AutoSize(bool value);
    // 1 up, 2 down, 3 disabled; any other value is kept but changes no picture.
    long ButtonPosition() const { return position_; }
    void ButtonPosition(long value);
    // 1 push button, 2 toggle button.
    long ButtonState() const { return state_; }
    void ButtonState(long value);

    QPixmap PictureUP() const { return up_; }
    void PictureUP(const QPixmap& picture);
    QPixmap PictureDOWN() const { return down_; }
    void PictureDOWN(const QPixmap& picture);
    QPixmap PictureDISABLED() const { return disabled_; }
    void PictureDISABLED(const QPixmap& picture);
    // The three pictures at once, the look shown once.
    void setPictures(const ButtonPictures& pictures);
    // The picture on display.
    QPixmap Picture() const { return current_; }

    // 0 flat, 1 three-dimensional border (when there is a border).
    int Appearance() const { return appearance_; }
    void Appearance(int value);
    // 0 transparent: pixels of the mask colour are not drawn; 1 opaque.
    int BackStyle() const { return backStyle_; }
    void BackStyle(int value);
    // 0 none, 1 a single line.
    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int value);
    QColor MaskColor() const { return maskColor_; }
    void MaskColor(const QColor& value);

    QString ToolTipText() const { return toolTip(); }
    void ToolTipText(const QString& value) { setToolTip(value); }

    // The picture's size, so that layouts give the button its picture.
    QSize sizeHint() const override;

    // The learner's actions; the mouse handlers call them.
    void press();
    void release();
    void click();

signals:
    void MouseUP();
    void MouseDown();
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Places what lies over the picture once the size is known.
    virtual void layoutOverPicture() {}

private:
    void showLook();
    void showPicture(const QPixmap& picture);
    void layOut();

    bool autoSize_ = true;
    long position_ = PositionUp;
    long state_ = PushButton;
    int appearance_ = 1;
    int backStyle_ = 0;
    int borderStyle_ = 0;
    QColor maskColor_ = QColor(0xFF, 0xFF, 0xFF);
    QPixmap up_;
    QPixmap down_;
    QPixmap disabled_;
    QPixmap current_;
    // What is painted: the picture with the mask colour made transparent.
    QPixmap surface_;
};

}  // namespace toolkit
