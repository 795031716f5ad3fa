#include "uctButton.h"

#include "platform/SpaceTrim.h"

#include <QLabel>

namespace toolkit {

uctButton::uctButton(QWidget* parent) : usrButton(parent), lblText_(new QLabel(this))
{
    lblText_->setObjectName(QStringLiteral("lblText"));
    lblText_->setTextFormat(Qt::PlainText);
    lblText_->setAlignment(Qt::AlignCenter);
    // Presses, releases and clicks on the caption are the button's own.
    lblText_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblText_->setForegroundRole(QPalette::ButtonText);
    lblText_->hide();
}

QString uctButton::Caption() const { return lblText_->text(); }

void uctButton::Caption(const QString& value)
{
    const QString caption = platform::trimSpaces(value);
    lblText_->setText(caption);
    lblText_->setVisible(!caption.isEmpty());
    layoutOverPicture();
}

QFont uctButton::Font() const { return lblText_->font(); }

void uctButton::Font(const QFont& value)
{
    lblText_->setFont(value);
    layoutOverPicture();
}

QColor uctButton::ForeColor() const { return lblText_->palette().color(QPalette::ButtonText); }

void uctButton::ForeColor(const QColor& value)
{
    QPalette palette = lblText_->palette();
    palette.setColor(QPalette::ButtonText, value);
    lblText_->setPalette(palette);
}

void uctButton::layoutOverPicture()
{
    const int height = lblText_->sizeHint().height();
    lblText_->setGeometry(0, (this->height() - height) / 2, width(), height);
}

}  // namespace toolkit
