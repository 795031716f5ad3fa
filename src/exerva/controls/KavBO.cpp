#include "KavBO.h"

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
#include "exerva/frmCT.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"

#include <QDomNodeList>
#include <QPainter>
#include <QRadioButton>

#include <cstdint>

namespace exerva {

namespace {

constexpr long stateOk = basalo::enuFunctionReturnState_General_Traitement_OK;
const QString moduleName = QStringLiteral("KavBO");

constexpr long systemColour(std::uint32_t index) { return long(std::int32_t(0x80000000u | index)); }
constexpr long windowColour = systemColour(5);
constexpr long buttonFaceColour = systemColour(15);
constexpr long buttonTextColour = systemColour(18);
constexpr long revealBackColour = 0x00FFF8F1;

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

}  // namespace

KavBO::KavBO(ExervaContext& context, QWidget* parent)
    : QuestionControl(context, parent),
      backColor_(windowColour),
      foreColor_(buttonTextColour)
{
    auto* first = new QRadioButton(this);
    first->setFont(controlArrayFont());
    paintBack(*first, buttonFaceColour);
    paintText(*first, buttonTextColour);
    placeInTwips(*first, QRect(240, 240, 495, 375));
    first->hide();
    optBO_.push_back(first);
    tags_.append(QString());

    cmdVisible_ = new RevealButton(QRect(240, 1920, 1335, 495), revealBackColour, this);
    connect(cmdVisible_, &QPushButton::clicked, this, [this] { cmdVisible_Click(); });

    addMember(QStringLiteral("ModeVisible"), VbGet | VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return QVariant::fromValue<long>(ModeVisible());
        ModeVisible(flagArgument(arguments));
        return {};
    });
    addLongProperty(QStringLiteral("BackStyle"), &KavBO::BackStyle, &KavBO::BackStyle);
    addLongProperty(QStringLiteral("BackColor"), &KavBO::BackColor, &KavBO::BackColor);
    addLongProperty(QStringLiteral("ForeColor"), &KavBO::ForeColor, &KavBO::ForeColor);
    addLongProperty(QStringLiteral("BorderStyle"), &KavBO::BorderStyle, &KavBO::BorderStyle);
    addLongProperty(QStringLiteral("OptionBackColor"), &KavBO::OptionBackColor, &KavBO::OptionBackColor);
    addLongProperty(QStringLiteral("OptionForeColor"), &KavBO::OptionForeColor, &KavBO::OptionForeColor);
    addLongProperty(QStringLiteral("OptionFontSize"), &KavBO::OptionFontSize, &KavBO::OptionFontSize);
    addMember(QStringLiteral("CmdCaption"), VbGet | VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return CmdCaption();
        if (arguments.size() != 1)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        CmdCaption(variantText(arguments.front()));
        return {};
    });
    addLongProperty(QStringLiteral("cmdBackColor"), &KavBO::cmdBackColor, &KavBO::cmdBackColor);
    addLongProperty(QStringLiteral("cmdHeight"), &KavBO::cmdHeight, &KavBO::cmdHeight);
    addLongProperty(QStringLiteral("cmdWidth"), &KavBO::cmdWidth, &KavBO::cmdWidth);
    addLongProperty(QStringLiteral("cmdTop"), &KavBO::cmdTop, &KavBO::cmdTop);
    addLongProperty(QStringLiteral("cmdLeft"), &KavBO::cmdLeft, &KavBO::cmdLeft);
}

void KavBO::addLongProperty(const QString& name, long (KavBO::*get)() const, void (KavBO::*let)(long))
{
    addMember(name, VbGet | VbLet, [this, get, let](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return QVariant::fromValue<long>((this->*get)());
        (this->*let)(longArgument(arguments));
        return {};
    });
}

long KavBO::InitXMLQuestion(const QDomNode& node)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, moduleName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ExervaContext& state = context();
    state.pulStateEnCours = stateOk;
    try {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        const QDomNodeList children = node.childNodes();
        for (int i = 0; i < children.count(); ++i) {
            const QDomNode child = children.at(i);
            if (child.nodeName() != QLatin1String("OBJECT")) {
                scope.line(QStringLiteral("Bizarre, pas un NODE_OBJECT, normalement il n'y a que ça"));
                continue;
            }
            const QString identifier = typedText(requiredChild(child, 0));
            scope.line(QStringLiteral("Ajout de l'Option ") + identifier);
            const int index = optionKeys_.size() == int(optBO_.size()) ? createOption() : int(optBO_.size()) - 1;
            addOption(identifier, index);
            QRadioButton& option = *optBO_[std::size_t(index)];
            option.setVisible(modeVisible_);
            frmCT::placeControl(option, wholeNumberFromText(typedText(requiredChild(child, 1))),
                                wholeNumberFromText(typedText(requiredChild(child, 2))),
                                wholeNumberFromText(typedText(requiredChild(child, 3))),
                                wholeNumberFromText(typedText(requiredChild(child, 4))));
            QString caption = typedText(requiredChild(child, 5));
            if (state.scrambledTexts) {
                QString plain;
                state.pulStateEnCours = puDecrypt(state, caption, plain);
                if (state.pulStateEnCours != stateOk)
                    break;
                caption = plain;
            }
            option.setText(caption);
        }
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        if (state.pulStateEnCours == stateOk)
            state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavBO_InitXMLQuestion_ErreurInconnue;
        recordError(state, scope, error);
    }
    return state.pulStateEnCours;
}

long KavBO::InitXMLReponse(const QDomNode& node)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, moduleName,
                             QStringLiteral("Public Function InitXMLReponse"));
    ExervaContext& state = context();
    state.pulStateEnCours = stateOk;
    noCheckLetter_.clear();
    // A letter descrambled when the file's texts are scrambled; false when the
    // descrambler failed, whose state then ends the walk.
    const auto readLetter = [&state](QString& letter) {
        if (!state.scrambledTexts)
            return true;
        QString plain;
        state.pulStateEnCours = puDecrypt(state, letter, plain);
        if (state.pulStateEnCours != stateOk)
            return false;
        letter = plain;
        return true;
    };
    try {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        const QDomNodeList children = node.childNodes();
        for (int i = 0; i < children.count(); ++i) {
            const QDomNode child = children.at(i);
            if (child.nodeName() == QLatin1String("OBJECT")) {
                const QString identifier = typedText(requiredChild(child, 0));
                scope.line(QStringLiteral("NODE_OBJECT ") + identifier);
                QString letter = typedText(requiredChild(child, 1));
                if (!readLetter(letter))
                    break;
                const int index = optionIndex(identifier);
                if (index < 0)
                    throw platform::RuntimeError(platform::InvalidProcedureCall);
                tags_[index] = letter;
            } else if (child.nodeName() == QLatin1String("NOCHECK")) {
                scope.line(QStringLiteral("NODE_NOCHECK "));
                QString letter = typedText(child);
                if (!readLetter(letter))
                    break;
                noCheckLetter_ = letter;
            }
        }
        if (noCheckLetter_.isEmpty())
            state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavBO_InitXMLReponse_ErreurNoCheckMissing;
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        if (state.pulStateEnCours == stateOk)
            state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavBO_InitXMLReponse_ErreurInconnue;
        recordError(state, scope, error);
    }
    return state.pulStateEnCours;
}

long KavBO::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, moduleName,
                             QStringLiteral("Public Function TestePoint"));
    ExervaContext& state = context();
    state.pulStateEnCours = stateOk;
    try {
        // No choice is never right, whatever the caller passed in.
        bool bravo = false;
        QString letter;
        for (std::size_t i = 0; i < optBO_.size(); ++i) {
            if (!optBO_[i]->isChecked())
                continue;
            if (tags_[int(i)] == QLatin1String("0")) {
                bravo = true;
            } else {
                letter = tags_[int(i)];
            }
            break;
        }
        if (letter.isEmpty() && !bravo)
            letter = noCheckLetter_;
        iobBravo = bravo;
        iosLettreReponse = letter;
        scope.line(QStringLiteral("Bravo = ") + boolText(iobBravo) + QStringLiteral(" ; LettreReponse = ")
                   + iosLettreReponse);
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavBO_TestePoint_ErreurInconnue;
        recordError(state, scope, error);
    }
    return state.pulStateEnCours;
}

int KavBO::createOption()
{
    const QRadioButton& lowest = *optBO_.front();
    auto* option = new QRadioButton(this);
    option->hide();
    option->setFont(lowest.font());
    option->setPalette(lowest.palette());
    option->setAutoFillBackground(lowest.autoFillBackground());
    option->setText(lowest.text());
    option->setGeometry(lowest.geometry());
    optBO_.push_back(option);
    // The answer letter is data of its own option, not a setting to copy.
    tags_.append(QString());
    return int(optBO_.size()) - 1;
}

void KavBO::addOption(const QString& identifier, int index)
{
    const QString key = identifier.toCaseFolded();
    if (pioOptions_.contains(key))
        throw platform::RuntimeError(platform::DuplicateKey);
    pioOptions_.insert(key, index);
    optionKeys_.append(identifier);
}

int KavBO::optionIndex(const QString& identifier) const
{
    return pioOptions_.value(identifier.toCaseFolded(), -1);
}

void KavBO::clearChoice()
{
    // An exclusive group refuses to uncheck its checked button.
    for (QRadioButton* option : optBO_) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void KavBO::cmdVisible_Click()
{
    modeVisible_ = true;
    for (QRadioButton* option : optBO_)
        option->show();
    clearChoice();
    cmdVisible_->hide();
}

bool KavBO::chooseOption(int index)
{
    if (index < 0 || index >= optionCount())
        return false;
    QRadioButton& option = *optBO_[std::size_t(index)];
    if (option.isHidden() || !option.isEnabled())
        return false;
    option.click();
    return true;
}

bool KavBO::pressReveal() { return cmdVisible_->press(); }

int KavBO::optionCount() const { return int(optBO_.size()); }

QRadioButton* KavBO::optionButton(int index) const
{
    return index >= 0 && index < optionCount() ? optBO_[std::size_t(index)] : nullptr;
}

QPushButton* KavBO::revealButton() const { return cmdVisible_; }

QString KavBO::optionLetter(int index) const { return index >= 0 && index < tags_.size() ? tags_[index] : QString(); }

void KavBO::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (backStyle_ == 1)
        painter.fillRect(rect(), oleColorToQColor(backColor_));
    if (borderStyle_ == 1) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

long KavBO::ModeVisible() const { return modeVisible_ ? -1 : 0; }

void KavBO::ModeVisible(long value)
{
    modeVisible_ = value != 0;
    for (QRadioButton* option : optBO_)
        option->setVisible(modeVisible_);
    cmdVisible_->setVisible(!modeVisible_);
}

long KavBO::BackStyle() const { return backStyle_; }

void KavBO::BackStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    backStyle_ = value;
    update();
}

long KavBO::BackColor() const { return backColor_; }

void KavBO::BackColor(long value)
{
    backColor_ = value;
    update();
}

long KavBO::ForeColor() const { return foreColor_; }

// The control draws no text of its own: its fore colour is kept for readers only.
void KavBO::ForeColor(long value) { foreColor_ = value; }

long KavBO::BorderStyle() const { return borderStyle_; }

void KavBO::BorderStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    borderStyle_ = value;
    update();
}

long KavBO::OptionBackColor() const { return optionBackColor_; }

void KavBO::OptionBackColor(long value)
{
    optionBackColor_ = value;
    for (QRadioButton* option : optBO_)
        paintBack(*option, value);
}

long KavBO::OptionForeColor() const { return optionForeColor_; }

void KavBO::OptionForeColor(long value)
{
    optionForeColor_ = value;
    for (QRadioButton* option : optBO_)
        paintText(*option, value);
}

long KavBO::OptionFontSize() const { return optionFontSize_; }

void KavBO::OptionFontSize(long value)
{
    optionFontSize_ = value;
    // A font has no size of zero or below; the options keep theirs.
    if (value <= 0)
        return;
    for (QRadioButton* option : optBO_)
        applyFontSize(*option, value);
}

QString KavBO::CmdCaption() const { return cmdVisible_->text(); }

void KavBO::CmdCaption(const QString& value) { cmdVisible_->setText(value); }

long KavBO::cmdBackColor() const { return cmdVisible_->backColor(); }

void KavBO::cmdBackColor(long value) { cmdVisible_->setBackColor(value); }

long KavBO::cmdHeight() const { return cmdVisible_->heightPixels(); }

void KavBO::cmdHeight(long value) { cmdVisible_->setHeightPixels(value); }

long KavBO::cmdWidth() const { return cmdVisible_->widthPixels(); }

void KavBO::cmdWidth(long value) { cmdVisible_->setWidthPixels(value); }

long KavBO::cmdTop() const { return cmdVisible_->topPixels(); }

void KavBO::cmdTop(long value) { cmdVisible_->setTopPixels(value); }

long KavBO::cmdLeft() const { return cmdVisible_->leftPixels(); }

void KavBO::cmdLeft(long value) { cmdVisible_->setLeftPixels(value); }

}  // namespace exerva
