#include "KavPAT.h"

#include "ControlLook.h"
#include "PropertyArgument.h"

#include "exerva/CaughtError.h"
#include "exerva/Decrypt.h"
#include "exerva/DomNodes.h"
#include "exerva/ExervaContext.h"
#include "exerva/NumberText.h"
#include "exerva/OleColor.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QDomNodeList>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace exerva {

namespace {

constexpr long stateOk = basalo::enuFunctionReturnState_General_Traitement_OK;
const QString moduleName = QStringLiteral("KavPAT");
constexpr long invalidPropertyValue = 380;
// Rows have a fixed pitch whatever the height of the boxes.
constexpr long rowPitch = 28;

// Only spaces are trimmed, as the original's trim did.
QString trimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

// Answers compare without the spaces around them and in lower case, for every
// alphabet ("Éléphant" is "éléphant").
QString comparable(const QString& text) { return trimSpaces(text).toLower(); }

AnswerKeyLayout answerKeyLayout()
{
    AnswerKeyLayout layout;
    layout.module = moduleName;
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
    : QuestionControl(context, parent),
      answerKey_(context, answerKeyLayout()),
      backColor_(systemColorNumber(15)),
      foreColor_(systemColorNumber(18)),
      textBackColor_(backColor_),
      textHeight_(18L * platform::twipsPerPixelY()),
      textWidth_(100L * platform::twipsPerPixelX())
{
    applyColor(*this, QPalette::Window, backColor_);
    applyColor(*this, QPalette::WindowText, foreColor_);
    setAutoFillBackground(true);

    // Element 0 of each array exists from the start; it shows once the layout uses it.
    auto* box = new QLineEdit(this);
    box->hide();
    box->setFont(controlArrayFont());
    box->setTextMargins(0, 0, 0, 0);
    applyColor(*box, QPalette::Base, systemColorNumber(5));
    applyColor(*box, QPalette::Text, systemColorNumber(8));
    txtPAT_.push_back(box);
    boxTags_.append(QString());

    auto* label = new QLabel(this);
    label->hide();
    label->setFont(controlArrayFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applyColor(*label, QPalette::Window, systemColorNumber(15));
    applyColor(*label, QPalette::WindowText, systemColorNumber(18));
    label->setAutoFillBackground(true);
    lblPAT_.push_back(label);

    addLongProperty(QStringLiteral("BackStyle"), &KavPAT::BackStyle, &KavPAT::BackStyle);
    addLongProperty(QStringLiteral("BackColor"), &KavPAT::BackColor, &KavPAT::BackColor);
    addLongProperty(QStringLiteral("ForeColor"), &KavPAT::ForeColor, &KavPAT::ForeColor);
    addLongProperty(QStringLiteral("BorderStyle"), &KavPAT::BorderStyle, &KavPAT::BorderStyle);
    addLongProperty(QStringLiteral("TextBorderStyle"), &KavPAT::TextBorderStyle, &KavPAT::TextBorderStyle);
    addLongProperty(QStringLiteral("TextForeColor"), &KavPAT::TextForeColor, &KavPAT::TextForeColor);
    addLongProperty(QStringLiteral("TextBackColor"), &KavPAT::TextBackColor, &KavPAT::TextBackColor);
    addLongProperty(QStringLiteral("TextHeight"), &KavPAT::TextHeight, &KavPAT::TextHeight);
    addLongProperty(QStringLiteral("TextWidth"), &KavPAT::TextWidth, &KavPAT::TextWidth);
    addLongProperty(QStringLiteral("TextFontSize"), &KavPAT::TextFontSize, &KavPAT::TextFontSize);
    addLongProperty(QStringLiteral("LabelForeColor"), &KavPAT::LabelForeColor, &KavPAT::LabelForeColor);
    addLongProperty(QStringLiteral("LabelBackStyle"), &KavPAT::LabelBackStyle, &KavPAT::LabelBackStyle);
    addLongProperty(QStringLiteral("LabelBackColor"), &KavPAT::LabelBackColor, &KavPAT::LabelBackColor);
    addLongProperty(QStringLiteral("LabelFontSize"), &KavPAT::LabelFontSize, &KavPAT::LabelFontSize);
}

void KavPAT::addLongProperty(const QString& name, long (KavPAT::*get)() const, void (KavPAT::*let)(long))
{
    const bool size = name == QLatin1String("TextHeight") || name == QLatin1String("TextWidth");
    addMember(name, VbGet | VbLet, [this, get, let, size](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return QVariant::fromValue<long>((this->*get)());
        const long value = longArgument(arguments);
        if (size && value < 0)
            throw platform::RuntimeError(invalidPropertyValue, QStringLiteral("Invalid property value"));
        (this->*let)(value);
        return {};
    });
}

QLineEdit* KavPAT::boxFor(int index)
{
    if (index < txtPATCount())
        return txtPAT_[std::size_t(index)];
    // A new element copies the settings of element 0, except its visibility.
    const QLineEdit* model = txtPAT_.front();
    auto* box = new QLineEdit(this);
    box->hide();
    box->setFont(model->font());
    box->setPalette(model->palette());
    box->setFrame(model->hasFrame());
    box->setTextMargins(model->textMargins());
    box->setGeometry(model->geometry());
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
    label->hide();
    label->setFont(model->font());
    label->setPalette(model->palette());
    label->setAutoFillBackground(model->autoFillBackground());
    label->setAlignment(model->alignment());
    label->setGeometry(model->geometry());
    lblPAT_.push_back(label);
    return label;
}

long KavPAT::failQuestion(long number, const QString& text)
{
    ExervaContext& ctx = context();
    ctx.storeError(number, text);
    ctx.trace.write(tracel::TypeControl, moduleName, QStringLiteral("erreur kav %1 : %2").arg(number).arg(text));
    if (ctx.pulStateEnCours == stateOk)
        ctx.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavPAT_InitXMLQuestion_ErreurInconnue;
    return ctx.pulStateEnCours;
}

long KavPAT::InitXMLQuestion(const QDomNode& node)
{
    ExervaContext& ctx = context();
    tracel::TraceScope scope(ctx.trace, tracel::TypeControl, moduleName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ctx.pulStateEnCours = stateOk;
    try {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        // The layout works in twips, as the sizes it is given.
        const long tppX = platform::twipsPerPixelX();
        const long tppY = platform::twipsPerPixelY();
        const long controlWidth = long(width()) * tppX;
        const long startLeft = 10 * tppX;
        long left = startLeft;
        long row = 0;
        const auto wrapFor = [&](long itemWidth) {
            if (left + itemWidth > controlWidth) {
                ++row;
                left = startLeft;
            }
        };
        const auto place = [&](QWidget* item, long itemWidth) {
            item->setGeometry(int(left / tppX), int(rowPitch * row + 10), int(itemWidth / tppX),
                              int(textHeight_ / tppY));
            item->show();
            left += itemWidth + 5 * tppX;
        };

        const QDomNodeList items = node.childNodes();
        int boxes = 0;
        int fixedWords = 0;
        for (int n = 0; n < items.count(); ++n) {
            const QDomNode item = items.at(n);
            const QString name = item.nodeName();
            if (name == QLatin1String("FEEDLINE")) {
                scope.line(name);
                ++row;
                left = startLeft;
            } else if (name == QLatin1String("TXT")) {
                scope.line(name);
                QLineEdit* box = boxFor(boxes);
                wrapFor(textWidth_);
                place(box, textWidth_);
                boxTags_[boxes] = typedText(item);
                scope.line(QStringLiteral("txtPAT(%1).Tag = ").arg(boxes) + boxTags_[boxes]);
                ++boxes;
                boxCount_ = boxes;
            } else if (name == QLatin1String("LBL")) {
                scope.line(name);
                QString text = typedText(item);
                if (ctx.scrambledTexts) {
                    QString plain;
                    if (puDecrypt(ctx, text, plain) != stateOk) {
                        scope.value(QStringLiteral("pulStateEnCours"), QString::number(ctx.pulStateEnCours));
                        return ctx.pulStateEnCours;
                    }
                    text = plain;
                }
                scope.value(QStringLiteral("sTexteReponse"), text);
                for (const QString& piece : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    QLabel* label = labelFor(fixedWords);
                    label->setText(piece);
                    // A fixed word takes the width of its text.
                    const long itemWidth = long(autoSizedWidth(*label)) * tppX;
                    wrapFor(itemWidth);
                    place(label, itemWidth);
                    ++fixedWords;
                }
            }
        }
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        return failQuestion(error.number(), error.text());
    }
    return ctx.pulStateEnCours;
}

long KavPAT::InitXMLReponse(const QDomNode& node) { return answerKey_.InitXMLReponse(node); }

long KavPAT::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    const auto answered = [this] {
        for (int j = 0; j < boxCount_; ++j)
            if (trimSpaces(txtPAT_[std::size_t(j)]->text()).isEmpty())
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
    return answerKey_.TestePoint(iobBravo, iosLettreReponse, answered, matches);
}

// Appearance.

long KavPAT::BackStyle() const { return backStyle_; }
void KavPAT::BackStyle(long value)
{
    backStyle_ = value;
    applyBackStyle(*this, value);
}

long KavPAT::BackColor() const { return backColor_; }
void KavPAT::BackColor(long value)
{
    backColor_ = value;
    applyColor(*this, QPalette::Window, value);
}

long KavPAT::ForeColor() const { return foreColor_; }
void KavPAT::ForeColor(long value)
{
    foreColor_ = value;
    applyColor(*this, QPalette::WindowText, value);
}

long KavPAT::BorderStyle() const { return borderStyle_; }
void KavPAT::BorderStyle(long value)
{
    borderStyle_ = value;
    update();
}

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

long KavPAT::TextHeight() const { return textHeight_ / platform::twipsPerPixelY(); }
void KavPAT::TextHeight(long value)
{
    value = std::max(value, 0L);
    textHeight_ = value * platform::twipsPerPixelY();
    for (QLineEdit* box : txtPAT_)
        box->resize(box->width(), int(value));
}

long KavPAT::TextWidth() const { return textWidth_ / platform::twipsPerPixelX(); }
void KavPAT::TextWidth(long value)
{
    value = std::max(value, 0L);
    textWidth_ = value * platform::twipsPerPixelX();
    for (QLineEdit* box : txtPAT_)
        box->resize(int(value), box->height());
}

long KavPAT::TextFontSize() const { return textFontSize_; }
void KavPAT::TextFontSize(long value)
{
    textFontSize_ = value;
    for (QLineEdit* box : txtPAT_)
        applyFontSize(*box, value);
}

long KavPAT::LabelForeColor() const { return labelForeColor_; }
void KavPAT::LabelForeColor(long value)
{
    labelForeColor_ = value;
    for (QLabel* label : lblPAT_)
        applyColor(*label, QPalette::WindowText, value);
}

long KavPAT::LabelBackStyle() const { return labelBackStyle_; }
void KavPAT::LabelBackStyle(long value)
{
    labelBackStyle_ = value;
    for (QLabel* label : lblPAT_)
        applyBackStyle(*label, value);
}

long KavPAT::LabelBackColor() const { return labelBackColor_; }
void KavPAT::LabelBackColor(long value)
{
    labelBackColor_ = value;
    for (QLabel* label : lblPAT_)
        applyColor(*label, QPalette::Window, value);
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

QLineEdit* KavPAT::txtPAT(int j) const
{
    return j >= 0 && j < txtPATCount() ? txtPAT_[std::size_t(j)] : nullptr;
}

QLabel* KavPAT::lblPAT(int k) const { return k >= 0 && k < lblPATCount() ? lblPAT_[std::size_t(k)] : nullptr; }

void KavPAT::paintEvent(QPaintEvent* event)
{
    QuestionControl::paintEvent(event);
    if (borderStyle_ != 1)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace exerva
