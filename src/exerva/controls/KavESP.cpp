#include "KavESP.h"

#include "ControlArray.h"
#include "ControlLook.h"
#include "TextFlow.h"
#include "WordBox.h"

#include "exerva/Decrypt.h"
#include "exerva/DomNodes.h"
#include "exerva/ErrorRecording.h"
#include "exerva/ExervaContext.h"
#include "exerva/NumberText.h"
#include "exerva/OleColor.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QDomNodeList>
#include <QLabel>
#include <QMouseEvent>

namespace exerva {

namespace {

const QString unitName = QStringLiteral("KavESP");

AnswerKeyLayout answerKeyLayout()
{
    AnswerKeyLayout layout;
    layout.unitName = unitName;
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
    : GapTextControl(context, parent, answerKeyLayout(),
                     basalo::enuFunctionReturnState_Exerva_KavESP_InitXMLQuestion_ErreurInconnue),
      textBackColor_(BackColor())
{
    // Element 0 of each array exists from the start; it shows once the layout uses it.
    for (auto* array : {&lblDrag_, &lblDrop_, &lblESP_}) {
        auto* label = new WordBox(this);
        label->hide();
        // Words are shown as the file writes them, even when they look like markup.
        label->setTextFormat(Qt::PlainText);
        label->setFont(controlArrayFont());
        applyColor(*label, QPalette::WindowText, windowTextColor);
        applyColor(*label, QPalette::Window, windowColor);
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (array != &lblESP_)
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->installEventFilter(this);
        array->push_back(label);
    }
    dragTags_.append(QString());
    dropTags_.append(QString());

    dragImage_ = new WordBox(this);
    dragImage_->hide();
    dragImage_->setTextFormat(Qt::PlainText);
    dragImage_->setAttribute(Qt::WA_TransparentForMouseEvents);

    addLongProperties(*this, {
                                 {"TextForeColor", &KavESP::TextForeColor, &KavESP::TextForeColor},
                                 {"TextBackColor", &KavESP::TextBackColor, &KavESP::TextBackColor},
                                 {"TextBackStyle", &KavESP::TextBackStyle, &KavESP::TextBackStyle},
                                 {"TextFontSize", &KavESP::TextFontSize, &KavESP::TextFontSize},
                             });
}

QLabel* KavESP::loadElement(std::vector<QLabel*>& array, QStringList* tags)
{
    // A new element copies the settings of element 0, except its visibility.
    const QLabel* model = array.front();
    auto* label = new WordBox(this);
    copyElementSettings(*model, *label);
    label->setTextFormat(model->textFormat());
    label->setAlignment(model->alignment());
    label->setFrameStyle(model->frameStyle());
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

long KavESP::InitXMLQuestion(const QDomNode& node)
{
    ExervaContext& ctx = context();
    tracel::TraceScope scope(ctx.trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ctx.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;

    const auto earlyStop = [&] {
        scope.value(QStringLiteral("pulStateEnCours"), QString::number(ctx.pulStateEnCours));
    };

    const auto error = platform::trapError(unknownErrorNumber, [&] {
        // Rows are as far apart as the elements are high, and 10 pixels more.
        TextFlow flow(*this, textHeightTwips() / platform::twipsPerPixelY() + 10, textHeightTwips());
        const QDomNodeList words = requiredChild(node, 0).childNodes();
        for (int i = 0; i < words.count(); ++i) {
            const QDomNode word = words.at(i);
            QLabel* label = elementFor(lblDrag_, &dragTags_, i);
            flow.place(*label, textWidthTwips());
            dragTags_[i] = typedText(requiredChild(word, 1));
            QString caption = typedText(requiredChild(word, 0));
            if (descrambleIfScrambled(ctx, caption) != basalo::enuFunctionReturnState_General_Traitement_OK)
                return earlyStop();
            label->setText(caption);
            scope.line(QStringLiteral("lblDrag(%1).Caption = ").arg(i) + caption);
            scope.line(QStringLiteral("lblDrag(%1).Tag = ").arg(i) + dragTags_[i]);
        }

        // One empty row between the bank and the text.
        flow.newRow(2);
        const QDomNodeList items = requiredChild(node, 1).childNodes();
        int gaps = 0;
        int fixedWords = 0;
        for (int n = 0; n < items.count(); ++n) {
            const QDomNode item = items.at(n);
            const QString name = item.nodeName();
            if (name == QLatin1String("feedline")) {
                flow.newRow();
            } else if (name == QLatin1String("txt")) {
                QLabel* label = elementFor(lblDrop_, &dropTags_, gaps);
                flow.place(*label, textWidthTwips());
                dropTags_[gaps] = typedText(item);
                label->clear();
                ++gaps;
            } else if (name == QLatin1String("lbl")) {
                QString text = typedText(item);
                if (descrambleIfScrambled(ctx, text) != basalo::enuFunctionReturnState_General_Traitement_OK)
                    return earlyStop();
                for (const QString& piece : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    QLabel* label = elementFor(lblESP_, nullptr, fixedWords);
                    label->setText(piece);
                    flow.placeSizedToText(*label);
                    ++fixedWords;
                }
            }
        }
        // A question without a gap cannot be scored: its gap array cannot be sized.
        if (gaps == 0)
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        asTagCibleSource_ = QStringList(gaps, QString());
    });
    if (error)
        return failQuestion(*error);
    return ctx.pulStateEnCours;
}

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
    return answerKey().TestePoint(iobBravo, iosLettreReponse, answered, matches);
}

// Appearance.

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

void KavESP::applyTextHeight(int pixels)
{
    for (auto* array : {&lblDrag_, &lblDrop_, &lblESP_})
        for (QLabel* label : *array)
            label->resize(label->width(), pixels);
}

void KavESP::applyTextWidth(int pixels)
{
    for (auto* array : {&lblDrag_, &lblDrop_})
        for (QLabel* label : *array)
            label->resize(pixels, label->height());
}

// Learner actions.

QLabel* KavESP::lblDrag(int i) const { return elementAt(lblDrag_, i); }
QLabel* KavESP::lblDrop(int j) const { return elementAt(lblDrop_, j); }
QLabel* KavESP::lblESP(int k) const { return elementAt(lblESP_, k); }
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
    trace.write(tracel::TypeControl, unitName, QStringLiteral("Index = %1").arg(j));
    trace.write(tracel::TypeControl, unitName,
                QStringLiteral("Source.Name = ") + (fromGap ? QStringLiteral("lblDrop") : QStringLiteral("lblDrag")));
    trace.write(tracel::TypeControl, unitName, QStringLiteral("Source.Caption = ") + caption);
    trace.write(tracel::TypeControl, unitName, QStringLiteral("Source.Index = %1").arg(sourceIndex));
    trace.write(tracel::TypeControl, unitName, QStringLiteral("Source.Tag = ") + tag);

    lblDrop_[std::size_t(j)]->setText(caption);
    dropTags_[j] = tag;
    asTagCibleSource_[j] = tag;
    // A word moved out of another gap leaves that gap empty.
    if (fromGap && sourceIndex != j)
        emptyGap(sourceIndex);
    trace.write(tracel::TypeControl, unitName, QStringLiteral("lblDrop(%1).Tag = ").arg(j) + dropTags_[j]);
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

}  // namespace exerva
