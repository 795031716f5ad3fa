#include "KavCC.h"

#include "ControlLook.h"
#include "PropertyArgument.h"
#include "RevealButton.h"
#include "TwipsGeometry.h"

#include "exerva/BooleanText.h"
#include "exerva/CaughtError.h"
#include "exerva/Decrypt.h"
#include "exerva/DomNodes.h"
#include "exerva/ExervaContext.h"
#include "exerva/NumberText.h"
#include "exerva/OleColor.h"
#include "exerva/VariantValue.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QDomNodeList>
#include <QLabel>
#include <QPainter>

#include <cmath>
#include <cstdint>

namespace exerva {

namespace {

constexpr long stateOk = basalo::enuFunctionReturnState_General_Traitement_OK;
const QString moduleName = QStringLiteral("KavCC");

constexpr long systemColour(std::uint32_t index) { return long(std::int32_t(0x80000000u | index)); }
constexpr long buttonFaceColour = systemColour(15);
constexpr long buttonTextColour = systemColour(18);
// Every check box is this wide, whatever the file says.
constexpr long boxWidthPixels = 30;

// Buttons fill their background from the button role, labels from the window role.
void paintBack(QWidget& widget, long colour)
{
    applyColor(widget, widget.backgroundRole(), colour);
    widget.setAutoFillBackground(true);
}

void paintText(QWidget& widget, long colour)
{
    applyColor(widget, QPalette::WindowText, colour);
    applyColor(widget, QPalette::ButtonText, colour);
}

QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

// The visible mode is a Boolean: a file may write it as "True" or "False" as well as a number.
long flagArgument(const QVariantList& arguments)
{
    if (arguments.size() == 1 && arguments.front().typeId() == QMetaType::QString)
        return booleanFromText(arguments.front().toString()) ? -1 : 0;
    return longArgument(arguments);
}

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
    auto* box = new QCheckBox(parent);
    box->setFont(controlArrayFont());
    paintBack(*box, buttonFaceColour);
    paintText(*box, buttonTextColour);
    box->hide();
    return box;
}

QLabel* newLabel(QWidget* parent, bool header)
{
    auto* label = new QLabel(parent);
    QFont font = controlArrayFont();
    font.setBold(header);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(header ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    paintBack(*label, buttonFaceColour);
    paintText(*label, buttonTextColour);
    label->hide();
    return label;
}

// A new element of a control array: every setting of the lowest element, hidden.
void copySettings(const QWidget& lowest, QWidget& element)
{
    element.setFont(lowest.font());
    element.setPalette(lowest.palette());
    element.setAutoFillBackground(lowest.autoFillBackground());
    element.setGeometry(lowest.geometry());
    element.hide();
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
    : QuestionControl(context, parent),
      backColor_(buttonFaceColour),
      foreColor_(buttonTextColour),
      answerKey_(context, AnswerKeyLayout{
                              moduleName,
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
    connect(chkCCVrai_.front(), &QCheckBox::toggled, this, [this] { chkCCVrai_Click(0); });
    connect(chkCCFaux_.front(), &QCheckBox::toggled, this, [this] { chkCCFaux_Click(0); });

    lblVrai_ = newLabel(this, true);
    placeInTwips(*lblVrai_, QRect(960, 2160, 735, 495));
    lblFaux_ = newLabel(this, true);
    placeInTwips(*lblFaux_, QRect(2520, 2160, 735, 495));

    cmdVisible_ = new RevealButton(QRect(720, 1200, 1935, 615), buttonFaceColour, this);
    connect(cmdVisible_, &QPushButton::clicked, this, [this] { cmdVisible_Click(); });

    addMember(QStringLiteral("ModeVisible"), VbGet | VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return QVariant::fromValue<long>(ModeVisible());
        ModeVisible(flagArgument(arguments));
        return {};
    });
    addLongProperty(QStringLiteral("BackStyle"), &KavCC::BackStyle, &KavCC::BackStyle);
    addLongProperty(QStringLiteral("BackColor"), &KavCC::BackColor, &KavCC::BackColor);
    addLongProperty(QStringLiteral("ForeColor"), &KavCC::ForeColor, &KavCC::ForeColor);
    addLongProperty(QStringLiteral("FontSize"), &KavCC::FontSize, &KavCC::FontSize);
    addLongProperty(QStringLiteral("BorderStyle"), &KavCC::BorderStyle, &KavCC::BorderStyle);
    addMember(QStringLiteral("CmdCaption"), VbGet | VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return CmdCaption();
        if (arguments.size() != 1)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        CmdCaption(variantText(arguments.front()));
        return {};
    });
    addLongProperty(QStringLiteral("cmdBackColor"), &KavCC::cmdBackColor, &KavCC::cmdBackColor);
    addLongProperty(QStringLiteral("cmdHeight"), &KavCC::cmdHeight, &KavCC::cmdHeight);
    addLongProperty(QStringLiteral("cmdWidth"), &KavCC::cmdWidth, &KavCC::cmdWidth);
    addLongProperty(QStringLiteral("cmdTop"), &KavCC::cmdTop, &KavCC::cmdTop);
    addLongProperty(QStringLiteral("cmdLeft"), &KavCC::cmdLeft, &KavCC::cmdLeft);
}

void KavCC::addLongProperty(const QString& name, long (KavCC::*get)() const, void (KavCC::*let)(long))
{
    addMember(name, VbGet | VbLet, [this, get, let](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return QVariant::fromValue<long>((this->*get)());
        (this->*let)(longArgument(arguments));
        return {};
    });
}

long KavCC::InitXMLQuestion(const QDomNode& node)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, moduleName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ExervaContext& state = context();
    state.pulStateEnCours = stateOk;
    try {
        const QDomNode header = requiredChild(node, 0);
        pibTypeVF_ = typedText(requiredChild(header, 0)) == QLatin1String("VF");
        const bool showFalse = modeVisible_ && pibTypeVF_;
        for (QCheckBox* box : chkCCFaux_)
            box->setVisible(showFalse);
        lblVrai_->setVisible(showFalse);
        lblFaux_->setVisible(showFalse);
        scope.value(QStringLiteral("pibTypeVF"), boolText(pibTypeVF_));

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
                createTrueBox();
                createFalseBox();
                createLabel();
            }
            const int trueIndex = int(chkCCVrai_.size()) - 1;
            pioCasesVrai_.add(identifier, trueIndex);
            QCheckBox& trueBox = *chkCCVrai_[std::size_t(trueIndex)];
            trueTags_[trueIndex] = identifier;
            trueBox.setVisible(modeVisible_);
            const long height = wholeChild(item, 1);
            const long top = wholeChild(item, 3);
            placeInTwips(trueBox, itemTwips(pilLeftColVrai_, top, boxWidthPixels, height));

            if (pibTypeVF_) {
                scope.line(QStringLiteral("Ajout de la case à cocher Faux : ") + identifier);
                if (pioCasesFaux_.count() == int(chkCCFaux_.size()))
                    createFalseBox();
                const int falseIndex = int(chkCCFaux_.size()) - 1;
                pioCasesFaux_.add(identifier, falseIndex);
                QCheckBox& falseBox = *chkCCFaux_[std::size_t(falseIndex)];
                falseTags_[falseIndex] = identifier;
                falseBox.setVisible(modeVisible_);
                placeInTwips(falseBox, itemTwips(pilLeftColFaux_, top, boxWidthPixels, height));
            }

            if (pioLibelles_.count() == int(lblCC_.size()))
                createLabel();
            const int labelIndex = int(lblCC_.size()) - 1;
            pioLibelles_.add(identifier, labelIndex);
            QLabel& label = *lblCC_[std::size_t(labelIndex)];
            label.setVisible(modeVisible_);
            const long width = wholeChild(item, 2);
            const long left = wholeChild(item, 4);
            placeInTwips(label, itemTwips(twipsFromPixels(left, platform::twipsPerPixelX(), -32767), top, width, height));
            QString caption = typedText(requiredChild(item, 5));
            if (state.scrambledTexts) {
                QString plain;
                state.pulStateEnCours = puDecrypt(state, caption, plain);
                if (state.pulStateEnCours != stateOk)
                    break;
                caption = plain;
            }
            label.setText(caption);
        }
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        if (state.pulStateEnCours == stateOk)
            state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavCC_InitXMLQuestion_ErreurInconnue;
        recordError(state, scope, error);
    }
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

void KavCC::createTrueBox()
{
    auto* box = new QCheckBox(this);
    copySettings(*chkCCVrai_.front(), *box);
    box->setText(chkCCVrai_.front()->text());
    const int index = int(chkCCVrai_.size());
    connect(box, &QCheckBox::toggled, this, [this, index] { chkCCVrai_Click(index); });
    chkCCVrai_.push_back(box);
    trueTags_.append(QString());
}

void KavCC::createFalseBox()
{
    auto* box = new QCheckBox(this);
    copySettings(*chkCCFaux_.front(), *box);
    box->setText(chkCCFaux_.front()->text());
    const int index = int(chkCCFaux_.size());
    connect(box, &QCheckBox::toggled, this, [this, index] { chkCCFaux_Click(index); });
    chkCCFaux_.push_back(box);
    falseTags_.append(QString());
}

void KavCC::createLabel()
{
    const QLabel& lowest = *lblCC_.front();
    auto* label = new QLabel(this);
    copySettings(lowest, *label);
    label->setText(lowest.text());
    label->setWordWrap(lowest.wordWrap());
    label->setAlignment(lowest.alignment());
    lblCC_.push_back(label);
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

void KavCC::showElements()
{
    for (QCheckBox* box : chkCCVrai_)
        box->setVisible(modeVisible_);
    for (QLabel* label : lblCC_)
        label->setVisible(modeVisible_);
    const bool showFalse = modeVisible_ && pibTypeVF_;
    for (QCheckBox* box : chkCCFaux_)
        box->setVisible(showFalse);
    lblVrai_->setVisible(showFalse);
    lblFaux_->setVisible(showFalse);
    cmdVisible_->setVisible(!modeVisible_);
}

void KavCC::cmdVisible_Click()
{
    modeVisible_ = true;
    showElements();
}

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

bool KavCC::clickTrueBox(int index)
{
    QCheckBox* box = trueBox(index);
    if (!box || box->isHidden() || !box->isEnabled())
        return false;
    box->click();
    return true;
}

bool KavCC::clickFalseBox(int index)
{
    QCheckBox* box = falseBox(index);
    if (!box || box->isHidden() || !box->isEnabled())
        return false;
    box->click();
    return true;
}

bool KavCC::pressReveal() { return cmdVisible_->press(); }

QPushButton* KavCC::revealButton() const { return cmdVisible_; }

int KavCC::elementCount() const { return int(chkCCVrai_.size()); }

QCheckBox* KavCC::trueBox(int index) const
{
    return index >= 0 && index < int(chkCCVrai_.size()) ? chkCCVrai_[std::size_t(index)] : nullptr;
}

QCheckBox* KavCC::falseBox(int index) const
{
    return index >= 0 && index < int(chkCCFaux_.size()) ? chkCCFaux_[std::size_t(index)] : nullptr;
}

QLabel* KavCC::itemLabel(int index) const
{
    return index >= 0 && index < int(lblCC_.size()) ? lblCC_[std::size_t(index)] : nullptr;
}

void KavCC::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (backStyle_ == 1)
        painter.fillRect(rect(), oleColorToQColor(backColor_));
    if (borderStyle_ == 1) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

long KavCC::ModeVisible() const { return modeVisible_ ? -1 : 0; }

void KavCC::ModeVisible(long value)
{
    modeVisible_ = value != 0;
    showElements();
}

long KavCC::BackStyle() const { return backStyle_; }

void KavCC::BackStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    backStyle_ = value;
    update();
}

long KavCC::BackColor() const { return backColor_; }

void KavCC::BackColor(long value)
{
    backColor_ = value;
    update();
    forEachBoxAndLabel([value](QWidget& widget) { paintBack(widget, value); });
}

long KavCC::ForeColor() const { return foreColor_; }

void KavCC::ForeColor(long value)
{
    foreColor_ = value;
    forEachBoxAndLabel([value](QWidget& widget) { paintText(widget, value); });
}

long KavCC::FontSize() const { return fontSize_; }

void KavCC::FontSize(long value)
{
    fontSize_ = value;
    applyFontSize(*this, value);
    forEachBoxAndLabel([value](QWidget& widget) { applyFontSize(widget, value); });
}

long KavCC::BorderStyle() const { return borderStyle_; }

void KavCC::BorderStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    borderStyle_ = value;
    update();
}

QString KavCC::CmdCaption() const { return cmdVisible_->text(); }

void KavCC::CmdCaption(const QString& value) { cmdVisible_->setText(value); }

long KavCC::cmdBackColor() const { return cmdVisible_->backColor(); }

void KavCC::cmdBackColor(long value) { cmdVisible_->setBackColor(value); }

long KavCC::cmdHeight() const { return cmdVisible_->heightPixels(); }

void KavCC::cmdHeight(long value) { cmdVisible_->setHeightPixels(value); }

long KavCC::cmdWidth() const { return cmdVisible_->widthPixels(); }

void KavCC::cmdWidth(long value) { cmdVisible_->setWidthPixels(value); }

long KavCC::cmdTop() const { return cmdVisible_->topPixels(); }

void KavCC::cmdTop(long value) { cmdVisible_->setTopPixels(value); }

long KavCC::cmdLeft() const { return cmdVisible_->leftPixels(); }

void KavCC::cmdLeft(long value) { cmdVisible_->setLeftPixels(value); }

}  // namespace exerva
