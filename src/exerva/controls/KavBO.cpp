#include "KavBO.h"

#include "ControlArray.h"
#include "ControlLook.h"
#include "TwipsGeometry.h"

#include "exerva/BooleanText.h"
#include "exerva/Decrypt.h"
#include "exerva/DomNodes.h"
#include "exerva/ErrorRecording.h"
#include "exerva/ExervaContext.h"
#include "exerva/NumberText.h"
#include "exerva/OleColor.h"
#include "exerva/frmCT.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"

#include <QDomNodeList>
#include <QRadioButton>

namespace exerva {

namespace {

const QString unitName = QStringLiteral("KavBO");

constexpr long revealBackColor = 0x00FFF8F1;

}  // namespace

KavBO::KavBO(ExervaContext& context, QWidget* parent) : RevealingQuestionControl(context, parent, windowColor)
{
    auto* first = new QRadioButton(this);
    first->setFont(controlArrayFont());
    applyBackColor(*first, buttonFaceColor);
    applyForeColor(*first, buttonTextColor);
    placeInTwips(*first, QRect(240, 240, 495, 375));
    first->hide();
    optBO_.push_back(first);
    tags_.append(QString());

    createRevealButton(QRect(240, 1920, 1335, 495), revealBackColor);

    addLongProperties(*this, {
                                 {"OptionBackColor", &KavBO::OptionBackColor, &KavBO::OptionBackColor},
                                 {"OptionForeColor", &KavBO::OptionForeColor, &KavBO::OptionForeColor},
                                 {"OptionFontSize", &KavBO::OptionFontSize, &KavBO::OptionFontSize},
                             });
}

long KavBO::InitXMLQuestion(const QDomNode& node)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    ExervaContext& state = context();
    state.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
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
            option.setVisible(isModeVisible());
            frmCT::placeControl(option, wholeNumberFromText(typedText(requiredChild(child, 1))),
                                wholeNumberFromText(typedText(requiredChild(child, 2))),
                                wholeNumberFromText(typedText(requiredChild(child, 3))),
                                wholeNumberFromText(typedText(requiredChild(child, 4))));
            QString caption = typedText(requiredChild(child, 5));
            if (descrambleIfScrambled(state, caption) != basalo::enuFunctionReturnState_General_Traitement_OK)
                break;
            option.setText(caption);
        }
    });
    if (error)
        recordFailure(state, scope, *error, basalo::enuFunctionReturnState_Exerva_KavBO_InitXMLQuestion_ErreurInconnue);
    return state.pulStateEnCours;
}

long KavBO::InitXMLReponse(const QDomNode& node)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLReponse"));
    ExervaContext& state = context();
    state.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    noCheckLetter_.clear();
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        const QDomNodeList children = node.childNodes();
        for (int i = 0; i < children.count(); ++i) {
            const QDomNode child = children.at(i);
            if (child.nodeName() == QLatin1String("OBJECT")) {
                const QString identifier = typedText(requiredChild(child, 0));
                scope.line(QStringLiteral("NODE_OBJECT ") + identifier);
                QString letter = typedText(requiredChild(child, 1));
                // A descrambler failure ends the walk with its state.
                if (descrambleIfScrambled(state, letter) != basalo::enuFunctionReturnState_General_Traitement_OK)
                    break;
                const int index = optionIndex(identifier);
                if (index < 0)
                    throw platform::RuntimeError(platform::InvalidProcedureCall);
                tags_[index] = letter;
            } else if (child.nodeName() == QLatin1String("NOCHECK")) {
                scope.line(QStringLiteral("NODE_NOCHECK "));
                QString letter = typedText(child);
                if (descrambleIfScrambled(state, letter) != basalo::enuFunctionReturnState_General_Traitement_OK)
                    break;
                noCheckLetter_ = letter;
            }
        }
        if (noCheckLetter_.isEmpty())
            state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavBO_InitXMLReponse_ErreurNoCheckMissing;
    });
    if (error)
        recordFailure(state, scope, *error, basalo::enuFunctionReturnState_Exerva_KavBO_InitXMLReponse_ErreurInconnue);
    return state.pulStateEnCours;
}

long KavBO::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    tracel::TraceScope scope(context().trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function TestePoint"));
    ExervaContext& state = context();
    state.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
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
        scope.line(QStringLiteral("Bravo = ") + booleanText(iobBravo) + QStringLiteral(" ; LettreReponse = ")
                   + iosLettreReponse);
    });
    if (error) {
        state.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_KavBO_TestePoint_ErreurInconnue;
        recordError(state, scope, *error);
    }
    return state.pulStateEnCours;
}

int KavBO::createOption()
{
    checkRoomForElement(optBO_.size());
    const QRadioButton& lowest = *optBO_.front();
    auto* option = new QRadioButton(this);
    copyElementSettings(lowest, *option);
    option->setText(lowest.text());
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

void KavBO::showContents()
{
    for (QRadioButton* option : optBO_)
        option->setVisible(isModeVisible());
}

void KavBO::cmdVisible_Click()
{
    setModeVisible(true);
    clearChoice();
}

bool KavBO::chooseOption(int index) { return clickAsLearner(optionButton(index)); }

int KavBO::optionCount() const { return int(optBO_.size()); }

QRadioButton* KavBO::optionButton(int index) const { return elementAt(optBO_, index); }

QString KavBO::optionLetter(int index) const { return index >= 0 && index < tags_.size() ? tags_[index] : QString(); }

long KavBO::OptionBackColor() const { return optionBackColor_; }

void KavBO::OptionBackColor(long value)
{
    optionBackColor_ = value;
    for (QRadioButton* option : optBO_)
        applyBackColor(*option, value);
}

long KavBO::OptionForeColor() const { return optionForeColor_; }

void KavBO::OptionForeColor(long value)
{
    optionForeColor_ = value;
    for (QRadioButton* option : optBO_)
        applyForeColor(*option, value);
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

}  // namespace exerva
