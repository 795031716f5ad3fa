#include "RevealingQuestionControl.h"

#include "PropertyArgument.h"
#include "RevealButton.h"

#include "exerva/OleColor.h"
#include "exerva/VariantValue.h"

#include "platform/RuntimeError.h"

#include <QPainter>

namespace exerva {

RevealingQuestionControl::RevealingQuestionControl(ExervaContext& context, QWidget* parent, long backColor)
    : QuestionControl(context, parent),
      backColor_(backColor),
      foreColor_(buttonTextColor)
{
    using Self = RevealingQuestionControl;
    addLongProperties(*this, {
                                 {"ModeVisible", &Self::ModeVisible, &Self::ModeVisible, booleanArgument},
                                 {"BackStyle", &Self::BackStyle, &Self::BackStyle},
                                 {"BackColor", &Self::BackColor, &Self::BackColor},
                                 {"ForeColor", &Self::ForeColor, &Self::ForeColor},
                                 {"BorderStyle", &Self::BorderStyle, &Self::BorderStyle},
                                 {"cmdBackColor", &Self::cmdBackColor, &Self::cmdBackColor},
                                 {"cmdHeight", &Self::cmdHeight, &Self::cmdHeight},
                                 {"cmdWidth", &Self::cmdWidth, &Self::cmdWidth},
                                 {"cmdTop", &Self::cmdTop, &Self::cmdTop},
                                 {"cmdLeft", &Self::cmdLeft, &Self::cmdLeft},
                             });
    addMember(QStringLiteral("CmdCaption"), VbGet | VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return CmdCaption();
        if (arguments.size() != 1)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        CmdCaption(variantText(arguments.front()));
        return {};
    });
}

void RevealingQuestionControl::createRevealButton(const QRect& twips, long backColor)
{
    cmdVisible_ = new RevealButton(twips, backColor, this);
    connect(cmdVisible_, &QPushButton::clicked, this, [this] { cmdVisible_Click(); });
}

void RevealingQuestionControl::checkRoomForElement(std::size_t elementCount)
{
    constexpr std::size_t maxElementIndex = 32767;
    if (elementCount > maxElementIndex)
        throw platform::RuntimeError(platform::Overflow);
}

RevealButton& RevealingQuestionControl::button() const { return platform::require(cmdVisible_); }

long RevealingQuestionControl::ModeVisible() const { return modeVisible_ ? -1 : 0; }

void RevealingQuestionControl::ModeVisible(long value) { setModeVisible(value != 0); }

void RevealingQuestionControl::setModeVisible(bool visible)
{
    modeVisible_ = visible;
    showContents();
    button().setVisible(!modeVisible_);
}

long RevealingQuestionControl::BackStyle() const { return backStyle_; }

void RevealingQuestionControl::BackStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    backStyle_ = value;
    update();
}

long RevealingQuestionControl::BackColor() const { return backColor_; }

void RevealingQuestionControl::BackColor(long value)
{
    backColor_ = value;
    update();
    applyBackColorToContents(value);
}

long RevealingQuestionControl::ForeColor() const { return foreColor_; }

// The control draws no text of its own: its fore colour goes to its contents, if anywhere.
void RevealingQuestionControl::ForeColor(long value)
{
    foreColor_ = value;
    applyForeColorToContents(value);
}

long RevealingQuestionControl::BorderStyle() const { return borderStyle_; }

void RevealingQuestionControl::BorderStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    borderStyle_ = value;
    update();
}

void RevealingQuestionControl::applyBackColorToContents(long) {}

void RevealingQuestionControl::applyForeColorToContents(long) {}

QString RevealingQuestionControl::CmdCaption() const { return button().text(); }

void RevealingQuestionControl::CmdCaption(const QString& value) { button().setText(value); }

long RevealingQuestionControl::cmdBackColor() const { return button().backColor(); }

void RevealingQuestionControl::cmdBackColor(long value) { button().setBackColor(value); }

long RevealingQuestionControl::cmdHeight() const { return button().heightPixels(); }

void RevealingQuestionControl::cmdHeight(long value) { button().setHeightPixels(value); }

long RevealingQuestionControl::cmdWidth() const { return button().widthPixels(); }

void RevealingQuestionControl::cmdWidth(long value) { button().setWidthPixels(value); }

long RevealingQuestionControl::cmdTop() const { return button().topPixels(); }

void RevealingQuestionControl::cmdTop(long value) { button().setTopPixels(value); }

long RevealingQuestionControl::cmdLeft() const { return button().leftPixels(); }

void RevealingQuestionControl::cmdLeft(long value) { button().setLeftPixels(value); }

bool RevealingQuestionControl::pressReveal() { return button().press(); }

QPushButton* RevealingQuestionControl::revealButton() const { return cmdVisible_; }

void RevealingQuestionControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (backStyle_ == 1)
        painter.fillRect(rect(), oleColorToQColor(backColor_));
    if (borderStyle_ == 1) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace exerva
