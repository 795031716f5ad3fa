#include "GapTextControl.h"

#include "ControlLook.h"
#include "PropertyArgument.h"

#include "exerva/ExervaContext.h"
#include "exerva/OleColor.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/Twips.h"
#include "tracel/ErrorLine.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace exerva {

GapTextControl::GapTextControl(ExervaContext& context, QWidget* parent, const AnswerKeyLayout& layout,
                               long questionFailureState)
    : QuestionControl(context, parent),
      answerKey_(context, layout),
      unitName_(layout.unitName),
      questionFailureState_(questionFailureState),
      backColor_(buttonFaceColor),
      foreColor_(buttonTextColor),
      textHeight_(18L * platform::twipsPerPixelY()),
      textWidth_(100L * platform::twipsPerPixelX())
{
    applyColor(*this, QPalette::Window, backColor_);
    applyColor(*this, QPalette::WindowText, foreColor_);
    setAutoFillBackground(true);

    using Self = GapTextControl;
    addLongProperties(*this, {
                                 {"BackStyle", &Self::BackStyle, &Self::BackStyle},
                                 {"BackColor", &Self::BackColor, &Self::BackColor},
                                 {"ForeColor", &Self::ForeColor, &Self::ForeColor},
                                 {"BorderStyle", &Self::BorderStyle, &Self::BorderStyle},
                                 {"LabelForeColor", &Self::LabelForeColor, &Self::LabelForeColor},
                                 {"LabelBackColor", &Self::LabelBackColor, &Self::LabelBackColor},
                                 {"LabelBackStyle", &Self::LabelBackStyle, &Self::LabelBackStyle},
                                 {"TextHeight", &Self::TextHeight, &Self::TextHeight, pixelSizeArgument},
                                 {"TextWidth", &Self::TextWidth, &Self::TextWidth, pixelSizeArgument},
                             });
}

long GapTextControl::InitXMLReponse(const QDomNode& node) { return answerKey_.InitXMLReponse(node); }

long GapTextControl::failQuestion(const platform::RuntimeError& error)
{
    ExervaContext& ctx = context();
    ctx.lastError.store(error);
    ctx.trace.write(tracel::TypeControl, unitName_, tracel::errorLine(error));
    if (ctx.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK)
        ctx.pulStateEnCours = questionFailureState_;
    return ctx.pulStateEnCours;
}

long GapTextControl::BackStyle() const { return backStyle_; }
void GapTextControl::BackStyle(long value)
{
    backStyle_ = value;
    applyBackStyle(*this, value);
}

long GapTextControl::BackColor() const { return backColor_; }
void GapTextControl::BackColor(long value)
{
    backColor_ = value;
    applyColor(*this, QPalette::Window, value);
}

long GapTextControl::ForeColor() const { return foreColor_; }
void GapTextControl::ForeColor(long value)
{
    foreColor_ = value;
    applyColor(*this, QPalette::WindowText, value);
}

long GapTextControl::BorderStyle() const { return borderStyle_; }
void GapTextControl::BorderStyle(long value)
{
    borderStyle_ = value;
    update();
}

long GapTextControl::LabelForeColor() const { return labelForeColor_; }
void GapTextControl::LabelForeColor(long value)
{
    labelForeColor_ = value;
    for (QLabel* label : fixedWords())
        applyColor(*label, QPalette::WindowText, value);
}

long GapTextControl::LabelBackColor() const { return labelBackColor_; }
void GapTextControl::LabelBackColor(long value)
{
    labelBackColor_ = value;
    for (QLabel* label : fixedWords())
        applyColor(*label, QPalette::Window, value);
}

long GapTextControl::LabelBackStyle() const { return labelBackStyle_; }
void GapTextControl::LabelBackStyle(long value)
{
    labelBackStyle_ = value;
    for (QLabel* label : fixedWords())
        applyBackStyle(*label, value);
}

long GapTextControl::TextHeight() const { return textHeight_ / platform::twipsPerPixelY(); }
void GapTextControl::TextHeight(long value)
{
    value = std::max(value, 0L);
    textHeight_ = value * platform::twipsPerPixelY();
    applyTextHeight(int(value));
}

long GapTextControl::TextWidth() const { return textWidth_ / platform::twipsPerPixelX(); }
void GapTextControl::TextWidth(long value)
{
    value = std::max(value, 0L);
    textWidth_ = value * platform::twipsPerPixelX();
    applyTextWidth(int(value));
}

void GapTextControl::paintEvent(QPaintEvent* event)
{
    QuestionControl::paintEvent(event);
    if (borderStyle_ != 1)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace exerva
