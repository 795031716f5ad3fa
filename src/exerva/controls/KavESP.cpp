#include "KavESP.h"

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
#include <QMouseEvent>
#include <QPainter>

namespace exerva {

namespace {

constexpr long stateOk = basalo::enuFunctionReturnState_General_Traitement_OK;
const QString moduleName = QStringLiteral("KavESP");
constexpr long invalidPropertyValue = 380;

AnswerKeyLayout answerKeyLayout()
{
    AnswerKeyLayout layout;
    layout.module = moduleName;
    layout.targetReading = EntryReading::WholeNumber;
    layout.expectedReading = EntryReading::WholeNumber;
    layout.targetArrayName = QStringLiteral("TableauIdCible");
    layout.expectedArrayName = QStringLiteral("TableauTagSource");
    layout.readFailureState = basalo::enuFunctionReturnState_Exerva_KavESP_InitXMLReponse_ErreurInconnue;
    layout.scoreFailureState = basalo::enuFunctionReturnState_Exerva_KavESP_TestePoint_ErreurInconnue;
    return layout;
}

int indexIn(const std::vector<QLabel*>& array, const QObject* object)
{
    for (std::size_t i = 0; i < array.size(); ++i)
        if (array[i] == object)
            return int(i);
    return -1;
}

}  // namespace

KavESP::KavESP(ExervaContext& context, QWidget* parent)
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
    for (auto* array : {&lblDrag_, &lblDrop_, &lblESP_}) {
        auto* label = new QLabel(this);
        label->hide();
        label->setFont(controlArrayFont());
        applyColor(*label, QPalette::WindowText, systemColorNumber(8));
        applyColor(*label, QPalette::Window, systemColorNumber(5));
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (array != &lblESP_)
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->installEventFilter(this);
        array->push_back(label);
    }
    dragTags_.append(QString());
    dropTags_.append(QString());

    dragImage_ = new QLabel(this);
    dragImage_->hide();
    dragImage_->setAttribute(Qt::WA_TransparentForMouseEvents);

    addLongProperty(QStringLiteral("BackStyle"), &KavESP::BackStyle, &KavESP::BackStyle);
    addLongProperty(QStringLiteral("BackColor"), &KavESP::BackColor, &KavESP::BackColor);
    addLongProperty(QStringLiteral("ForeColor"), &KavESP::ForeColor, &KavESP::ForeColor);
    addLongProperty(QStringLiteral("BorderStyle"), &KavESP::BorderStyle, &KavESP::BorderStyle);
    addLongProperty(QStringLiteral("TextForeColor"), &KavESP::TextForeColor, &KavESP::TextForeColor);
    addLongProperty(QStringLiteral("TextBackColor"), &KavESP::TextBackColor, &KavESP::TextBackColor);
    addLongProperty(QStringLiteral("TextBackStyle"), &KavESP::TextBackStyle, &KavESP::TextBackStyle);
    addLongProperty(QStringLiteral("LabelForeColor"), &KavESP::LabelForeColor, &KavESP::LabelForeColor);
    addLongProperty(QStringLiteral("LabelBackColor"), &KavESP::LabelBackColor, &KavESP::LabelBackColor);
    addLongProperty(QStringLiteral("LabelBackStyle"), &KavESP::LabelBackStyle, &KavESP::LabelBackStyle);
    addLongProperty(QStringLiteral("TextHeight"), &KavESP::TextHeight, &KavESP::TextHeight);
    addLongProperty(QStringLiteral("TextWidth"), &KavESP::TextWidth, &KavESP::TextWidth);
    addLongProperty(QStringLiteral("TextFontSize"), &KavESP::TextFontSize, &KavESP::TextFontSize);
}

void KavESP::addLongProperty(const QString& name, long (KavESP::*get)() const, void (KavESP::*let)(long))
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

QLabel* KavESP::loadElement(std::vector<QLabel*>& array, QStringList* tags)
{
    // A new element copies the settings of element 0, except its visibility.
    const QLabel* model = array.front();
    auto* label = new QLabel(this);
    label->hide();
    label->setFont(model->font());
    label->setPalette(model->palette());
    label->setAutoFillBackground(model->autoFillBackground());
    label->setAlignment(model->alignment());
    label->setFrameStyle(model->frameStyle());
    label->setGeometry(model->geometry());
    label->installEventFilter(this);
    array.push_back(label);
    if (tags)
        tags->append(QString());
    dragImage_->raise();
    return label;
}

QLabel* KavESP::elementFor(std::vector<QLabel*>& array, QStringList* tags, int index)
{
    if (index == int(array.size()))
        return loadElement(array, tags);
    return array.at(std::size_t(index));
}

long KavESP::failQuestion(long number, const QString& text)
{
    ExervaContext& ctx = context();
    ctx.storeError(number, text);
    ctx.trace.write(tracel::TypeControl, moduleName, QStringLiteral("erreur kav %1 : %2").arg(number).arg(text));
    if (ctx.pulStateEnCours == stateOk)
        ctx.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavESP_InitXMLQuestion_ErreurInconnue;
    return ctx.pulStateEnCours;
}

long KavESP::InitXMLQuestion(const QDomNode& node)
{
    ExervaContext& ctx = context();
    tracel::TraceScope scope(ctx.trace, tracel::TypeControl, moduleName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ctx.pulStateEnCours = stateOk;

    const auto descramble = [&ctx](QString& text) {
        if (!ctx.scrambledTexts)
            return stateOk;
        QString plain;
        const long state = puDecrypt(ctx, text, plain);
        if (state == stateOk)
            text = plain;
        return state;
    };
    const auto earlyStop = [&] {
        scope.value(QStringLiteral("pulStateEnCours"), QString::number(ctx.pulStateEnCours));
        return ctx.pulStateEnCours;
    };

    try {
        // The layout works in twips, as the sizes it is given.
        const long tppX = platform::twipsPerPixelX();
        const long tppY = platform::twipsPerPixelY();
        const long controlWidth = long(width()) * tppX;
        const long rowPitch = textHeight_ / tppY + 10;
        const long startLeft = 10 * tppX;
        long left = startLeft;
        long row = 0;
        const auto wrapFor = [&](long itemWidth) {
            if (left + itemWidth > controlWidth) {
                ++row;
                left = startLeft;
            }
        };
        const auto place = [&](QLabel* label, long itemWidth) {
            label->setGeometry(int(left / tppX), int((rowPitch * row + 10)), int(itemWidth / tppX),
                               int(textHeight_ / tppY));
            label->show();
            left += itemWidth + 5 * tppX;
        };

        const QDomNodeList words = requiredChild(node, 0).childNodes();
        for (int i = 0; i < words.count(); ++i) {
            const QDomNode word = words.at(i);
            QLabel* label = elementFor(lblDrag_, &dragTags_, i);
            wrapFor(textWidth_);
            place(label, textWidth_);
            dragTags_[i] = typedText(requiredChild(word, 1));
            QString caption = typedText(requiredChild(word, 0));
            if (descramble(caption) != stateOk)
                return earlyStop();
            label->setText(caption);
            scope.line(QStringLiteral("lblDrag(%1).Caption = ").arg(i) + caption);
            scope.line(QStringLiteral("lblDrag(%1).Tag = ").arg(i) + dragTags_[i]);
        }

        // One empty row between the bank and the text.
        row += 2;
        left = startLeft;
        const QDomNodeList items = requiredChild(node, 1).childNodes();
        int gaps = 0;
        int fixedWords = 0;
        for (int n = 0; n < items.count(); ++n) {
            const QDomNode item = items.at(n);
            const QString name = item.nodeName();
            if (name == QLatin1String("feedline")) {
                ++row;
                left = startLeft;
            } else if (name == QLatin1String("txt")) {
                QLabel* label = elementFor(lblDrop_, &dropTags_, gaps);
                wrapFor(textWidth_);
                place(label, textWidth_);
                dropTags_[gaps] = typedText(item);
                label->clear();
                ++gaps;
            } else if (name == QLatin1String("lbl")) {
                QString text = typedText(item);
                if (descramble(text) != stateOk)
                    return earlyStop();
                for (const QString& piece : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    QLabel* label = elementFor(lblESP_, nullptr, fixedWords);
                    label->setText(piece);
                    const long itemWidth = long(autoSizedWidth(*label)) * tppX;
                    wrapFor(itemWidth);
                    place(label, itemWidth);
                    ++fixedWords;
                }
            }
        }
        // A question without a gap cannot be scored: its gap array cannot be sized.
        if (gaps == 0)
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        asTagCibleSource_ = QStringList(gaps, QString());
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        return failQuestion(error.number(), error.text());
    }
    return ctx.pulStateEnCours;
}

long KavESP::InitXMLReponse(const QDomNode& node) { return answerKey_.InitXMLReponse(node); }

long KavESP::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    const auto answered = [this] {
        for (const QString& tag : asTagCibleSource_)
            if (tag.isEmpty())
                return false;
        return true;
    };
    const auto matches = [this](const AnswerPattern& pattern) {
        // Every entry is looked at, so that a key naming no gap fails whatever the answer.
        bool all = true;
        for (const AnswerEntry& entry : pattern.entries) {
            if (entry.targetNumber < 0 || entry.targetNumber >= asTagCibleSource_.size())
                throw platform::RuntimeError(platform::SubscriptOutOfRange);
            const QString& tag = asTagCibleSource_.at(entry.targetNumber);
            // An empty gap is an answer like any other: it holds no expected word.
            if (tag.isEmpty() || numberFromText(tag) != double(entry.expectedNumber))
                all = false;
        }
        return all;
    };
    return answerKey_.TestePoint(iobBravo, iosLettreReponse, answered, matches);
}

// Appearance.

long KavESP::BackStyle() const { return backStyle_; }
void KavESP::BackStyle(long value)
{
    backStyle_ = value;
    applyBackStyle(*this, value);
}

long KavESP::BackColor() const { return backColor_; }
void KavESP::BackColor(long value)
{
    backColor_ = value;
    applyColor(*this, QPalette::Window, value);
}

long KavESP::ForeColor() const { return foreColor_; }
void KavESP::ForeColor(long value)
{
    foreColor_ = value;
    applyColor(*this, QPalette::WindowText, value);
}

long KavESP::BorderStyle() const { return borderStyle_; }
void KavESP::BorderStyle(long value)
{
    borderStyle_ = value;
    update();
}

long KavESP::TextForeColor() const { return textForeColor_; }
void KavESP::TextForeColor(long value)
{
    textForeColor_ = value;
    for (auto* array : {&lblDrag_, &lblDrop_})
        for (QLabel* label : *array)
            applyColor(*label, QPalette::WindowText, value);
}

long KavESP::TextBackColor() const { return textBackColor_; }
void KavESP::TextBackColor(long value)
{
    textBackColor_ = value;
    for (auto* array : {&lblDrag_, &lblDrop_})
        for (QLabel* label : *array)
            applyColor(*label, QPalette::Window, value);
}

long KavESP::TextBackStyle() const { return textBackStyle_; }
void KavESP::TextBackStyle(long value)
{
    textBackStyle_ = value;
    for (auto* array : {&lblDrag_, &lblDrop_})
        for (QLabel* label : *array)
            applyBackStyle(*label, value);
}

long KavESP::LabelForeColor() const { return labelForeColor_; }
void KavESP::LabelForeColor(long value)
{
    labelForeColor_ = value;
    for (QLabel* label : lblESP_)
        applyColor(*label, QPalette::WindowText, value);
}

long KavESP::LabelBackColor() const { return labelBackColor_; }
void KavESP::LabelBackColor(long value)
{
    labelBackColor_ = value;
    for (QLabel* label : lblESP_)
        applyColor(*label, QPalette::Window, value);
}

long KavESP::LabelBackStyle() const { return labelBackStyle_; }
void KavESP::LabelBackStyle(long value)
{
    labelBackStyle_ = value;
    for (QLabel* label : lblESP_)
        applyBackStyle(*label, value);
}

long KavESP::TextHeight() const { return textHeight_ / platform::twipsPerPixelY(); }
void KavESP::TextHeight(long value)
{
    value = std::max(value, 0L);
    textHeight_ = value * platform::twipsPerPixelY();
    for (auto* array : {&lblDrag_, &lblDrop_, &lblESP_})
        for (QLabel* label : *array)
            label->resize(label->width(), int(value));
}

long KavESP::TextWidth() const { return textWidth_ / platform::twipsPerPixelX(); }
void KavESP::TextWidth(long value)
{
    value = std::max(value, 0L);
    textWidth_ = value * platform::twipsPerPixelX();
    for (auto* array : {&lblDrag_, &lblDrop_})
        for (QLabel* label : *array)
            label->resize(int(value), label->height());
}

long KavESP::TextFontSize() const { return textFontSize_; }
void KavESP::TextFontSize(long value)
{
    textFontSize_ = value;
    for (QLabel* label : lblESP_) {
        applyFontSize(*label, value);
        // Fixed words size themselves to their text.
        label->resize(autoSizedWidth(*label), label->height());
    }
    for (auto* array : {&lblDrag_, &lblDrop_})
        for (QLabel* label : *array)
            applyFontSize(*label, value);
}

// Learner actions.

QLabel* KavESP::lblDrag(int i) const
{
    return i >= 0 && i < lblDragCount() ? lblDrag_[std::size_t(i)] : nullptr;
}
QLabel* KavESP::lblDrop(int j) const
{
    return j >= 0 && j < lblDropCount() ? lblDrop_[std::size_t(j)] : nullptr;
}
QLabel* KavESP::lblESP(int k) const { return k >= 0 && k < lblESPCount() ? lblESP_[std::size_t(k)] : nullptr; }
QString KavESP::lblDragTag(int i) const { return dragTags_.value(i); }
QString KavESP::lblDropTag(int j) const { return dropTags_.value(j); }

QLabel* KavESP::sourceLabel() const
{
    return drag_.source == Source::Bank ? lblDrag(drag_.index) : lblDrop(drag_.index);
}

bool KavESP::beginDragFromBank(int i, const QPoint& grip)
{
    const QLabel* word = lblDrag(i);
    if (!word || word->isHidden())
        return false;
    return startDrag(Source::Bank, i, grip);
}

bool KavESP::beginDragFromGap(int j, const QPoint& grip)
{
    // Only a word the learner placed can leave a gap: an empty-looking gap drags nothing.
    if (j < 0 || j >= asTagCibleSource_.size() || asTagCibleSource_.at(j).isEmpty())
        return false;
    return startDrag(Source::Gap, j, grip);
}

bool KavESP::startDrag(Source source, int index, const QPoint& grip)
{
    cancelDrag();
    drag_.active = true;
    drag_.source = source;
    drag_.index = index;
    const QLabel* word = sourceLabel();
    drag_.hotSpot = grip.isNull() ? word->rect().center() : grip;
    dragImage_->setText(word->text());
    dragImage_->setFont(word->font());
    dragImage_->setPalette(word->palette());
    dragImage_->setAutoFillBackground(true);
    dragImage_->setFrameStyle(QFrame::Box | QFrame::Plain);
    dragImage_->setAlignment(word->alignment());
    dragImage_->setGeometry(word->geometry());
    dragImage_->raise();
    dragImage_->show();
    return true;
}

void KavESP::dragTo(const QPoint& position)
{
    if (!drag_.active)
        return;
    dragImage_->move(position - drag_.hotSpot);
}

bool KavESP::dropAt(const QPoint& position)
{
    if (!drag_.active)
        return false;
    for (int j = 0; j < asTagCibleSource_.size(); ++j) {
        const QLabel* gap = lblDrop(j);
        if (gap && !gap->isHidden() && gap->geometry().contains(position))
            return dropOnGap(j);
    }
    // Only gaps accept a word: anywhere else the drag ends with nothing placed.
    cancelDrag();
    return false;
}

bool KavESP::dropOnGap(int j)
{
    if (!drag_.active)
        return false;
    if (j < 0 || j >= asTagCibleSource_.size()) {
        cancelDrag();
        return false;
    }
    const QLabel* source = sourceLabel();
    const bool fromGap = drag_.source == Source::Gap;
    const QString caption = source->text();
    const QString tag = fromGap ? dropTags_.value(drag_.index) : dragTags_.value(drag_.index);
    const int sourceIndex = drag_.index;
    cancelDrag();

    tracel::TraceChannel& trace = context().trace;
    trace.write(tracel::TypeControl, moduleName, QStringLiteral("Index = %1").arg(j));
    trace.write(tracel::TypeControl, moduleName,
                QStringLiteral("Source.Name = ") + (fromGap ? QStringLiteral("lblDrop") : QStringLiteral("lblDrag")));
    trace.write(tracel::TypeControl, moduleName, QStringLiteral("Source.Caption = ") + caption);
    trace.write(tracel::TypeControl, moduleName, QStringLiteral("Source.Index = %1").arg(sourceIndex));
    trace.write(tracel::TypeControl, moduleName, QStringLiteral("Source.Tag = ") + tag);

    lblDrop_[std::size_t(j)]->setText(caption);
    dropTags_[j] = tag;
    asTagCibleSource_[j] = tag;
    // A word moved out of another gap leaves that gap empty.
    if (fromGap && sourceIndex != j)
        emptyGap(sourceIndex);
    trace.write(tracel::TypeControl, moduleName, QStringLiteral("lblDrop(%1).Tag = ").arg(j) + dropTags_[j]);
    return true;
}

void KavESP::cancelDrag()
{
    drag_.active = false;
    dragImage_->hide();
}

void KavESP::emptyGap(int j)
{
    if (j < 0 || j >= lblDropCount())
        return;
    lblDrop_[std::size_t(j)]->clear();
    dropTags_[j].clear();
    if (j < asTagCibleSource_.size())
        asTagCibleSource_[j].clear();
}

bool KavESP::eventFilter(QObject* watched, QEvent* event)
{
    const int bankIndex = indexIn(lblDrag_, watched);
    const int gapIndex = indexIn(lblDrop_, watched);
    if (bankIndex < 0 && gapIndex < 0)
        return QuestionControl::eventFilter(watched, event);
    auto* word = static_cast<QWidget*>(watched);

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint grip = mouse->position().toPoint();
        if (bankIndex >= 0)
            beginDragFromBank(bankIndex, grip);
        else
            beginDragFromGap(gapIndex, grip);
        return true;
    }
    case QEvent::MouseMove:
        if (!drag_.active)
            return false;
        dragTo(word->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
        return true;
    case QEvent::MouseButtonRelease:
        if (!drag_.active)
            return false;
        dropAt(word->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
        return true;
    case QEvent::MouseButtonDblClick:
        if (gapIndex < 0)
            return false;
        emptyGap(gapIndex);
        return true;
    default:
        return false;
    }
}

void KavESP::paintEvent(QPaintEvent* event)
{
    QuestionControl::paintEvent(event);
    if (borderStyle_ != 1)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace exerva
