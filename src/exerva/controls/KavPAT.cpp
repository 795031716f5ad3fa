#include "KavPAT.h"

#include "ControlArray.h"
#include "ControlLook.h"
#include "TextFlow.h"

#include "exerva/Decrypt.h"
#include "exerva/DomNodes.h"
#include "exerva/ErrorRecording.h"
#include "exerva/ExervaContext.h"
#include "exerva/NumberText.h"
#include "exerva/OleColor.h"
#include "platform/SpaceTrim.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"

#include <QDomNodeList>
#include <QLabel>
#include <QLineEdit>

namespace exerva {

namespace {

const QString unitName = QStringLiteral("KavPAT");
// Rows have a fixed pitch whatever the height of the boxes.
constexpr long rowPitch = 28;

// Answers compare without the spaces around them and in lower case, for every
// alphabet ("Éléphant" is "éléphant").
QString comparable(const QString& text) { return platform::trimSpaces(text).toLower(); }

AnswerKeyLayout answerKeyLayout()
{
    AnswerKeyLayout layout;
    layout.unitName = unitName;
    layout.targetReading = EntryReading::WholeNumber;
    layout.expectedReading = EntryReading::Text;
    layout.targetArrayName = QStringLiteral("TableauIdCible");
    layout.expectedArrayName = QStringLiteral("TableauTexte");
    layout.readFailureState = basalo::enuFunctionReturnState_Exerva_KavPAT_InitXMLReponse_ErreurInconnue;
    layout.scoreFailureState = basalo::enuFunctionReturnState_Exerva_KavPAT_TestePoint_ErreurInconnue;
    return layout;
}

}  // namespace

KavPAT::KavPAT(ExervaContext& context, QWidget* parent)
    : GapTextControl(context, parent, answerKeyLayout(),
                     basalo::enuFunctionReturnState_Exerva_KavPAT_InitXMLQuestion_ErreurInconnue),
      textBackColor_(BackColor())
{
    // Element 0 of each array exists from the start; it shows once the layout uses it.
    auto* box = new QLineEdit(this);
    box->hide();
    box->setFont(controlArrayFont());
    box->setTextMargins(0, 0, 0, 0);
    applyColor(*box, QPalette::Base, windowColor);
    applyColor(*box, QPalette::Text, windowTextColor);
    txtPAT_.push_back(box);
    boxTags_.append(QString());

    auto* label = new QLabel(this);
    label->hide();
    // Words are shown as the file writes them, even when they look like markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(controlArrayFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applyColor(*label, QPalette::Window, buttonFaceColor);
    applyColor(*label, QPalette::WindowText, buttonTextColor);
    label->setAutoFillBackground(true);
    lblPAT_.push_back(label);

    addLongProperties(*this, {
                                 {"TextBorderStyle", &KavPAT::TextBorderStyle, &KavPAT::TextBorderStyle},
                                 {"TextForeColor", &KavPAT::TextForeColor, &KavPAT::TextForeColor},
                                 {"TextBackColor", &KavPAT::TextBackColor, &KavPAT::TextBackColor},
                                 {"TextFontSize", &KavPAT::TextFontSize, &KavPAT::TextFontSize},
                                 {"LabelFontSize", &KavPAT::LabelFontSize, &KavPAT::LabelFontSize},
                             });
}

QLineEdit* KavPAT::boxFor(int index)
{
    if (index < txtPATCount())
        return txtPAT_[std::size_t(index)];
    // A new element copies the settings of element 0, except its visibility.
    const QLineEdit* model = txtPAT_.front();
    auto* box = new QLineEdit(this);
    copyElementSettings(*model, *box);
    box->setFrame(model->hasFrame());
    box->setTextMargins(model->textMargins());
    txtPAT_.push_back(box);
    boxTags_.append(QString());
    return box;
}

QLabel* KavPAT::labelFor(int index)
{
    if (index < lblPATCount())
        return lblPAT_[std::size_t(index)];
    const QLabel* model = lblPAT_.front();
    auto* label = new QLabel(this);
    copyElementSettings(*model, *label);
    label->setTextFormat(model->textFormat());
    label->setAlignment(model->alignment());
    lblPAT_.push_back(label);
    return label;
}

long KavPAT::InitXMLQuestion(const QDomNode& node)
{
    ExervaContext& ctx = context();
    tracel::TraceScope scope(ctx.trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ctx.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        TextFlow flow(*this, rowPitch, textHeightTwips());
        const QDomNodeList items = node.childNodes();
        int boxes = 0;
        int fixedWords = 0;
        for (int n = 0; n < items.count(); ++n) {
            const QDomNode item = items.at(n);
            const QString name = item.nodeName();
            if (name == QLatin1String("FEEDLINE")) {
                scope.line(name);
                flow.newRow();
            } else if (name == QLatin1String("TXT")) {
                scope.line(name);
                QLineEdit* box = boxFor(boxes);
                flow.place(*box, textWidthTwips());
                boxTags_[boxes] = typedText(item);
                scope.line(QStringLiteral("txtPAT(%1).Tag = ").arg(boxes) + boxTags_[boxes]);
                ++boxes;
                boxCount_ = boxes;
            } else if (name == QLatin1String("LBL")) {
                scope.line(name);
                QString text = typedText(item);
                if (descrambleIfScrambled(ctx, text) != basalo::enuFunctionReturnState_General_Traitement_OK) {
                    scope.value(QStringLiteral("pulStateEnCours"), QString::number(ctx.pulStateEnCours));
                    return;
                }
                scope.value(QStringLiteral("sTexteReponse"), text);
                for (const QString& piece : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    QLabel* label = labelFor(fixedWords);
                    label->setText(piece);
                    flow.placeSizedToText(*label);
                    ++fixedWords;
                }
            }
        }
    });
    if (error)
        return failQuestion(*error);
    return ctx.pulStateEnCours;
}

long KavPAT::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    const auto answered = [this] {
        for (int j = 0; j < boxCount_; ++j)
            if (platform::trimSpaces(txtPAT_[std::size_t(j)]->text()).isEmpty())
                return false;
        return true;
    };
    const auto matches = [this](const AnswerPattern& pattern) {
        // Every box is looked at, so that a tag that is no number fails whatever the answer.
        bool all = true;
        for (int j = 0; j < boxCount_; ++j) {
            const long identifier = wholeNumberFromText(boxTags_.at(j));
            const QString typed = comparable(txtPAT_[std::size_t(j)]->text());
            bool satisfied = false;
            for (const AnswerEntry& entry : pattern.entries) {
                if (entry.targetNumber == identifier && comparable(entry.expected) == typed) {
                    satisfied = true;
                    break;
                }
            }
            all = all && satisfied;
        }
        return all;
    };
    return answerKey().TestePoint(iobBravo, iosLettreReponse, answered, matches);
}

// Appearance.

long KavPAT::TextBorderStyle() const { return textBorderStyle_; }
void KavPAT::TextBorderStyle(long value)
{
    textBorderStyle_ = value;
    for (QLineEdit* box : txtPAT_)
        box->setFrame(value != 0);
}

long KavPAT::TextForeColor() const { return textForeColor_; }
void KavPAT::TextForeColor(long value)
{
    textForeColor_ = value;
    for (QLineEdit* box : txtPAT_)
        applyColor(*box, QPalette::Text, value);
}

long KavPAT::TextBackColor() const { return textBackColor_; }
void KavPAT::TextBackColor(long value)
{
    textBackColor_ = value;
    for (QLineEdit* box : txtPAT_)
        applyColor(*box, QPalette::Base, value);
}

void KavPAT::applyTextHeight(int pixels)
{
    for (QLineEdit* box : txtPAT_)
        box->resize(box->width(), pixels);
}

void KavPAT::applyTextWidth(int pixels)
{
    for (QLineEdit* box : txtPAT_)
        box->resize(pixels, box->height());
}

long KavPAT::TextFontSize() const { return textFontSize_; }
void KavPAT::TextFontSize(long value)
{
    textFontSize_ = value;
    for (QLineEdit* box : txtPAT_)
        applyFontSize(*box, value);
}

long KavPAT::LabelFontSize() const { return labelFontSize_; }
void KavPAT::LabelFontSize(long value)
{
    labelFontSize_ = value;
    for (QLabel* label : lblPAT_) {
        applyFontSize(*label, value);
        // Fixed words size themselves to their text.
        label->resize(autoSizedWidth(*label), label->height());
    }
}

QLineEdit* KavPAT::txtPAT(int j) const { return elementAt(txtPAT_, j); }

QLabel* KavPAT::lblPAT(int k) const { return elementAt(lblPAT_, k); }

}  // namespace exerva
