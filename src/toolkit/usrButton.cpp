#include "usrButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <qdrawutil.h>

namespace toolkit {

usrButton::usrButton(QWidget* parent) : QWidget(parent) {}

void usrButton::AutoSize(bool value)
{
    autoSize_ = value;
    layOut();
}

void usrButton::ButtonPosition(long value)
{
    position_ = value;
    showLook();
}

void usrButton::ButtonState(long value)
{
    state_ = value;
    showLook();
}

void usrButton::PictureUP(const QPixmap& picture)
{
    up_ = picture;
    showLook();
}

void usrButton::PictureDOWN(const QPixmap& picture)
{
    down_ = picture;
    showLook();
}

void usrButton::PictureDISABLED(const QPixmap& picture)
{
    disabled_ = picture;
    showLook();
}

void usrButton::setPictures(const ButtonPictures& pictures)
{
    up_ = pictures.up;
    down_ = pictures.down;
    disabled_ = pictures.disabled;
    showLook();
}

void usrButton::Appearance(int value)
{
    appearance_ = value;
    update();
}

void usrButton::BackStyle(int value)
{
    backStyle_ = value;
    showPicture(current_);
}

void usrButton::BorderStyle(int value)
{
    borderStyle_ = value;
    update();
}

void usrButton::MaskColor(const QColor& value)
{
    maskColor_ = value;
    showPicture(current_);
}

QSize usrButton::sizeHint() const
{
    if (autoSize_ && !current_.isNull())
        return current_.deviceIndependentSize().toSize();
    return size();
}

void usrButton::press()
{
    if (state_ == PushButton) {
        if (position_ == PositionDisabled)
            return;
        showPicture(down_);
    } else if (state_ == ToggleButton) {
        if (position_ == PositionUp) {
            position_ = PositionDown;
            showPicture(down_);
        } else if (position_ == PositionDown) {
            position_ = PositionUp;
            showPicture(up_);
        }
    }
    if (position_ != PositionDisabled)
        emit MouseDown();
}

void usrButton::release()
{
    if (state_ == PushButton) {
        if (position_ == PositionDisabled)
            return;
        showPicture(up_);
    }
    if (position_ != PositionDisabled)
        emit MouseUP();
}

void usrButton::click()
{
    if (position_ != PositionDisabled)
        emit Click();
}

void usrButton::showLook()
{
    switch (position_) {
    case PositionUp: showPicture(up_); break;
    case PositionDown: showPicture(down_); break;
    case PositionDisabled: showPicture(disabled_); break;
    default: break;
    }
}

void usrButton::showPicture(const QPixmap& picture)
{
    current_ = picture;
    surface_ = picture;
    if (backStyle_ == 0 && !picture.isNull()) {
        // The mask colour lets the owner's background through, so the button
        // takes the shape of its picture.
        QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb mask = maskColor_.rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] == mask)
                    line[x] = qRgba(0, 0, 0, 0);
            }
        }
        surface_ = QPixmap::fromImage(image);
        surface_.setDevicePixelRatio(picture.devicePixelRatio());
    }
    layOut();
    update();
}

void usrButton::layOut()
{
    if (autoSize_ && !current_.isNull()) {
        const QSize size = current_.deviceIndependentSize().toSize();
        if (size != this->size())
            resize(size);
    }
    layoutOverPicture();
}

void usrButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void usrButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (backStyle_ != 0)
        painter.fillRect(rect(), palette().window());
    if (!surface_.isNull())
        painter.drawPixmap(0, 0, surface_);
    if (borderStyle_ != 0) {
        if (appearance_ != 0)
            qDrawShadePanel(&painter, rect(), palette(), true, 1);
        else
            qDrawPlainRect(&painter, rect(), palette().color(QPalette::WindowText));
    }
}

void usrButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    press();
}

void usrButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // A handler of the release may close the window that holds the button.
    const QPointer<usrButton> alive(this);
    release();
    if (alive && rect().contains(event->position().toPoint()))
        click();
}

}  // namespace toolkit
