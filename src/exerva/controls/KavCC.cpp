#include "KavCC.h"

#include "ControlArray.h"
#include "ControlLook.h"
#include "ItemCheckBox.h"
#include "PropertyArgument.h"
#include "TwipsGeometry.h"

#include "exerva/BooleanText.h"
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

#include <QCheckBox>
#include <QDomNodeList>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace exerva {

namespace {

const QString unitName = QStringLiteral("KavCC");

// Every check box is this wide, whatever the file says.
constexpr long boxWidthPixels = 30;

long wholeChild(const QDomNode& node, int index) { return wholeNumberFromText(typedText(requiredChild(node, index))); }

// A left edge in twips from a value in pixels, rounded to the nearest twip.
long leftTwips(const QDomNode& node, int index)
{
    const double twips = std::nearbyint(numberFromText(typedText(requiredChild(node, index))) * platform::twipsPerPixelX());
    if (!(std::fabs(twips) <= 32767.0 * platform::twipsPerPixelX()))
        throwInvalidPropertyValue();
    return long(twips);
}

// An item's or header's rectangle in twips: the left already in twips, the rest in pixels.
QRect itemTwips(long left, long topPixels, long widthPixels, long heightPixels)
{
    return QRect(int(left), twipsFromPixels(topPixels, platform::twipsPerPixelY(), -32767),
                 twipsFromPixels(widthPixels, platform::twipsPerPixelX(), 0),
                 twipsFromPixels(heightPixels, platform::twipsPerPixelY(), 0));
}

QCheckBox* newBox(QWidget* parent)
{
    auto* box = new ItemCheckBox(parent);
    box->setFont(controlArrayFont());
    applyBackColor(*box, buttonFaceColor);
    applyForeColor(*box, buttonTextColor);
    box->hide();
    return box;
}

QLabel* newLabel(QWidget* parent, bool header)
{
    auto* label = new QLabel(parent);
    QFont font = controlArrayFont();
    font.setBold(header);
    label->setFont(font);
    // Texts of the exercise file are shown as written, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(header ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    applyBackColor(*label, buttonFaceColor);
    applyForeColor(*label, buttonTextColor);
    label->hide();
    return label;
}

}  // namespace

void KavCC::ItemCollection::add(const QString& identifier, int element)
{
    const QString key = identifier.toCaseFolded();
    if (index_.contains(key))
        throw platform::RuntimeError(platform::DuplicateKey);
    index_.insert(key, element);
    keys_.append(identifier);
    elements_.push_back(element);
}

int KavCC::ItemCollection::find(const QString& identifier) const
{
    return index_.value(identifier.toCaseFolded(), -1);
}

KavCC::KavCC(ExervaContext& context, QWidget* parent)
    : RevealingQuestionControl(context, parent, buttonFaceColor),
      answerKey_(context, AnswerKeyLayout{
                              unitName,
                              EntryReading::Text,
                              EntryReading::WholeNumber,
                              QStringLiteral("TableauIdCC"),
                              QStringLiteral("TableauCC"),
                              basalo::enuFunctionReturnState_Exerva_KavCC_InitXMLReponse_ErreurInconnue,
                              basalo::enuFunctionReturnState_Exerva_KavCC_TestePoint_ErreurInconnue,
                              true,
                          })
{
    chkCCVrai_.push_back(newBox(this));
    placeInTwips(*chkCCVrai_.front(), QRect(120, 120, 375, 375));
    trueTags_.append(QString());
    chkCCFaux_.push_back(newBox(this));
    placeInTwips(*chkCCFaux_.front(), QRect(3120, 1080, 495, 495));
    falseTags_.append(QString());
    lblCC_.push_back(newLabel(this, false));
    placeInTwips(*lblCC_.front(), QRect(1680, 240, 1695, 495));
    lblCC_.front()->installEventFilter(this);
    connect(chkCCVrai_.front(), &QCheckBox::toggled, this, [this] { chkCCVrai_Click(0); });
    connect(chkCCFaux_.front(), &QCheckBox::toggled, this, [this] { chkCCFaux_Click(0); });

    lblVrai_ = newLabel(this, true);
    placeInTwips(*lblVrai_, QRect(960, 2160, 735, 495));
    lblFaux_ = newLabel(this, true);
    placeInTwips(*lblFaux_, QRect(2520, 2160, 735, 495));

    createRevealButton(QRect(720, 1200, 1935, 615), buttonFaceColor);

    addLongProperties(*this, {{"FontSize", &KavCC::FontSize, &KavCC::FontSize}});
}

long KavCC::InitXMLQuestion(const QDomNode& node)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ExervaContext& state = context();
    state.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        const QDomNode header = requiredChild(node, 0);
        pibTypeVF_ = typedText(requiredChild(header, 0)) == QLatin1String("VF");
        const bool showFalse = isModeVisible() && pibTypeVF_;
        for (QCheckBox* box : chkCCFaux_)
            box->setVisible(showFalse);
        lblVrai_->setVisible(showFalse);
        lblFaux_->setVisible(showFalse);
        scope.value(QStringLiteral("pibTypeVF"), booleanText(pibTypeVF_));

        const QDomNode trueColumn = requiredChild(header, 1);
        pilLeftColVrai_ = leftTwips(trueColumn, 3);
        scope.value(QStringLiteral("pilLeftColVrai"), QString::number(pilLeftColVrai_));
        if (pibTypeVF_) {
            placeInTwips(*lblVrai_, itemTwips(pilLeftColVrai_, wholeChild(trueColumn, 2), wholeChild(trueColumn, 1),
                                              wholeChild(trueColumn, 0)));
            lblVrai_->setText(typedText(requiredChild(trueColumn, 4)));
            const QDomNode falseColumn = requiredChild(header, 2);
            pilLeftColFaux_ = leftTwips(falseColumn, 3);
            scope.value(QStringLiteral("pilLeftColFaux"), QString::number(pilLeftColFaux_));
            placeInTwips(*lblFaux_, itemTwips(pilLeftColFaux_, wholeChild(falseColumn, 2), wholeChild(falseColumn, 1),
                                              wholeChild(falseColumn, 0)));
            lblFaux_->setText(typedText(requiredChild(falseColumn, 4)));
        }

        const QDomNodeList items = requiredChild(node, 1).childNodes();
        for (int i = 0; i < items.count(); ++i) {
            const QDomNode item = items.at(i);
            const QString identifier = typedText(requiredChild(item, 0));
            scope.line(QStringLiteral("Ajout de la case à cocher Vrai : ") + identifier);

            // The k-th item uses element k of each array; its true box creates
            // the three elements together.
            if (pioCasesVrai_.count() == int(chkCCVrai_.size())) {
                createBox(chkCCVrai_, trueTags_, &KavCC::chkCCVrai_Click);
                createBox(chkCCFaux_, falseTags_, &KavCC::chkCCFaux_Click);
                createLabel();
            }
            const int trueIndex = int(chkCCVrai_.size()) - 1;
            pioCasesVrai_.add(identifier, trueIndex);
            QCheckBox& trueBox = *chkCCVrai_[std::size_t(trueIndex)];
            trueTags_[trueIndex] = identifier;
            trueBox.setVisible(isModeVisible());
            const long height = wholeChild(item, 1);
            const long top = wholeChild(item, 3);
            placeInTwips(trueBox, itemTwips(pilLeftColVrai_, top, boxWidthPixels, height));

            if (pibTypeVF_) {
                scope.line(QStringLiteral("Ajout de la case à cocher Faux : ") + identifier);
                if (pioCasesFaux_.count() == int(chkCCFaux_.size()))
                    createBox(chkCCFaux_, falseTags_, &KavCC::chkCCFaux_Click);
                const int falseIndex = int(chkCCFaux_.size()) - 1;
                pioCasesFaux_.add(identifier, falseIndex);
                QCheckBox& falseBox = *chkCCFaux_[std::size_t(falseIndex)];
                falseTags_[falseIndex] = identifier;
                falseBox.setVisible(isModeVisible());
                placeInTwips(falseBox, itemTwips(pilLeftColFaux_, top, boxWidthPixels, height));
            }

            if (pioLibelles_.count() == int(lblCC_.size()))
                createLabel();
            const int labelIndex = int(lblCC_.size()) - 1;
            pioLibelles_.add(identifier, labelIndex);
            QLabel& label = *lblCC_[std::size_t(labelIndex)];
            label.setVisible(isModeVisible());
            const long width = wholeChild(item, 2);
            const long left = wholeChild(item, 4);
            placeInTwips(label, itemTwips(twipsFromPixels(left, platform::twipsPerPixelX(), -32767), top, width, height));
            QString caption = typedText(requiredChild(item, 5));
            if (descrambleIfScrambled(state, caption) != basalo::enuFunctionReturnState_General_Traitement_OK)
                break;
            label.setText(caption);
        }
    });
    if (error)
        recordFailure(state, scope, *error, basalo::enuFunctionReturnState_Exerva_KavCC_InitXMLQuestion_ErreurInconnue);
    return state.pulStateEnCours;
}

long KavCC::InitXMLReponse(const QDomNode& node) { return answerKey_.InitXMLReponse(node); }

long KavCC::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    return answerKey_.TestePoint(
        iobBravo, iosLettreReponse, [this] { return answered(); },
        [this](const AnswerPattern& pattern) { return matches(pattern); });
}

bool KavCC::answered() const
{
    if (!pibTypeVF_) {
        for (const int element : pioCasesVrai_.elements()) {
            if (chkCCVrai_[std::size_t(element)]->isChecked())
                return true;
        }
        return false;
    }
    // A true/false grid is answered when every item has one of its boxes ticked.
    for (const int element : pioCasesVrai_.elements()) {
        const int falseElement = pioCasesFaux_.find(trueTags_[element]);
        if (falseElement < 0)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        if (!chkCCVrai_[std::size_t(element)]->isChecked() && !chkCCFaux_[std::size_t(falseElement)]->isChecked())
            return false;
    }
    return true;
}

bool KavCC::matches(const AnswerPattern& pattern) const
{
    for (const AnswerEntry& entry : pattern.entries) {
        const int element = pioCasesVrai_.find(entry.target);
        if (element < 0)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        const long value = chkCCVrai_[std::size_t(element)]->isChecked() ? 1 : 0;
        if (value != entry.expectedNumber)
            return false;
    }
    return true;
}

void KavCC::createBox(std::vector<QCheckBox*>& array, QStringList& tags, void (KavCC::*click)(int))
{
    checkRoomForElement(array.size());
    auto* box = new ItemCheckBox(this);
    copyElementSettings(*array.front(), *box);
    box->setText(array.front()->text());
    const int index = int(array.size());
    connect(box, &QCheckBox::toggled, this, [this, click, index] { (this->*click)(index); });
    array.push_back(box);
    tags.append(QString());
}

void KavCC::createLabel()
{
    checkRoomForElement(lblCC_.size());
    const QLabel& lowest = *lblCC_.front();
    auto* label = new QLabel(this);
    copyElementSettings(lowest, *label);
    label->setText(lowest.text());
    label->setTextFormat(lowest.textFormat());
    label->setWordWrap(lowest.wordWrap());
    label->setAlignment(lowest.alignment());
    label->installEventFilter(this);
    lblCC_.push_back(label);
}

bool KavCC::eventFilter(QObject* watched, QEvent* event)
{
    const auto label = std::find(lblCC_.begin(), lblCC_.end(), watched);
    if (label == lblCC_.end())
        return RevealingQuestionControl::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease
        && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    // Like a button: the click happens when the press is let go over the label.
    if (event->type() == QEvent::MouseButtonRelease && (*label)->rect().contains(mouse->position().toPoint()))
        clickLabel(int(label - lblCC_.begin()));
    return true;
}

void KavCC::chkCCVrai_Click(int index)
{
    if (!pibTypeVF_ || !chkCCVrai_[std::size_t(index)]->isChecked())
        return;
    // A box that serves no item has no partner to clear.
    const int partner = pioCasesFaux_.find(trueTags_[index]);
    if (partner >= 0)
        chkCCFaux_[std::size_t(partner)]->setChecked(false);
}

void KavCC::chkCCFaux_Click(int index)
{
    if (!pibTypeVF_ || !chkCCFaux_[std::size_t(index)]->isChecked())
        return;
    const int partner = pioCasesVrai_.find(falseTags_[index]);
    if (partner >= 0)
        chkCCVrai_[std::size_t(partner)]->setChecked(false);
}

void KavCC::showContents()
{
    const bool visible = isModeVisible();
    for (QCheckBox* box : chkCCVrai_)
        box->setVisible(visible);
    for (QLabel* label : lblCC_)
        label->setVisible(visible);
    const bool showFalse = visible && pibTypeVF_;
    for (QCheckBox* box : chkCCFaux_)
        box->setVisible(showFalse);
    lblVrai_->setVisible(showFalse);
    lblFaux_->setVisible(showFalse);
}

// The ticks stay as they are.
void KavCC::cmdVisible_Click() { setModeVisible(true); }

template <typename Each>
void KavCC::forEachBoxAndLabel(Each each)
{
    for (QCheckBox* box : chkCCVrai_)
        each(*box);
    for (QCheckBox* box : chkCCFaux_)
        each(*box);
    for (QLabel* label : lblCC_)
        each(*label);
    each(*lblVrai_);
    each(*lblFaux_);
}

bool KavCC::clickTrueBox(int index) { return clickAsLearner(trueBox(index)); }

bool KavCC::clickFalseBox(int index) { return clickAsLearner(falseBox(index)); }

bool KavCC::clickLabel(int index)
{
    const QLabel* label = itemLabel(index);
    if (!label || label->isHidden())
        return false;
    return clickTrueBox(index);
}

int KavCC::elementCount() const { return int(chkCCVrai_.size()); }

QCheckBox* KavCC::trueBox(int index) const { return elementAt(chkCCVrai_, index); }

QCheckBox* KavCC::falseBox(int index) const { return elementAt(chkCCFaux_, index); }

QLabel* KavCC::itemLabel(int index) const { return elementAt(lblCC_, index); }

void KavCC::applyBackColorToContents(long color)
{
    forEachBoxAndLabel([color](QWidget& widget) { applyBackColor(widget, color); });
}

void KavCC::applyForeColorToContents(long color)
{
    forEachBoxAndLabel([color](QWidget& widget) { applyForeColor(widget, color); });
}

long KavCC::FontSize() const { return fontSize_; }

void KavCC::FontSize(long value)
{
    fontSize_ = value;
    applyFontSize(*this, value);
    forEachBoxAndLabel([value](QWidget& widget) { applyFontSize(widget, value); });
}

}  // namespace exerva
