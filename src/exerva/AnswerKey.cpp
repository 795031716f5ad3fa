#include "AnswerKey.h"

#include "BooleanText.h"
#include "Decrypt.h"
#include "DomNodes.h"
#include "ErrorRecording.h"
#include "ExervaContext.h"
#include "NumberText.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

#include <QDomNodeList>

namespace exerva {

namespace {

// The lines of one response are written one level deeper than its letter line.
class DeeperLines {
public:
    explicit DeeperLines(tracel::TraceChannel& channel) : channel_(channel), raised_(channel.isActive())
    {
        if (raised_)
            channel_.raiseDepth();
    }
    ~DeeperLines()
    {
        if (raised_)
            channel_.lowerDepth();
    }
    DeeperLines(const DeeperLines&) = delete;
    DeeperLines& operator=(const DeeperLines&) = delete;

private:
    tracel::TraceChannel& channel_;
    bool raised_;
};

}  // namespace

AnswerKey::AnswerKey(ExervaContext& context, AnswerKeyLayout layout) : context_(context), layout_(std::move(layout)) {}

long AnswerKey::fail(long state, const platform::RuntimeError& error) const
{
    context_.lastError.store(error);
    context_.trace.write(tracel::TypeControl, layout_.unitName, tracel::errorLine(error));
    context_.pulStateEnCours = state;
    return state;
}

long AnswerKey::InitXMLReponse(const QDomNode& node)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeControl, layout_.unitName,
                             QStringLiteral("Public Function InitXMLReponse"));
    context_.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    patterns_.clear();
    pisErreurNoCheck_.clear();
    pisErreurElse_.clear();

    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        const QDomNodeList responses = node.childNodes();
        for (int r = 0; r < responses.count(); ++r) {
            const QDomNode response = responses.at(r);
            QString letter = typedText(requiredChild(response, 0));
            if (descrambleIfScrambled(context_, letter) != basalo::enuFunctionReturnState_General_Traitement_OK)
                break;
            scope.value(QStringLiteral("sLettreReponse"), letter);
            const DeeperLines deeper(context_.trace);

            const QDomNode checked = requiredChild(response, 1);
            if (checked.nodeName() != QLatin1String("CHECKED")) {
                pisErreurNoCheck_ = letter;
                scope.value(QStringLiteral("pisErreurNoCheck"), letter);
                continue;
            }
            const QDomNodeList entries = checked.childNodes();
            if (entries.isEmpty()) {
                pisErreurElse_ = letter;
                scope.value(QStringLiteral("pisErreurElse"), letter);
                continue;
            }
            AnswerPattern pattern;
            pattern.sLettreReponse = letter;
            const int p = int(patterns_.size());
            for (int e = 0; e < entries.count(); ++e) {
                const QDomNode entryNode = entries.at(e);
                AnswerEntry entry;
                entry.target = typedText(requiredChild(entryNode, 0));
                entry.expected = typedText(requiredChild(entryNode, 1));
                if (descrambleIfScrambled(context_, entry.expected)
                    != basalo::enuFunctionReturnState_General_Traitement_OK)
                    break;
                if (layout_.targetReading == EntryReading::WholeNumber)
                    entry.targetNumber = wholeNumberFromText(entry.target);
                if (layout_.expectedReading == EntryReading::WholeNumber)
                    entry.expectedNumber = wholeNumberFromText(entry.expected);
                const QString prefix = QStringLiteral("piatReponse(%1).").arg(p);
                scope.value(prefix + QStringLiteral("%1(%2)").arg(layout_.expectedArrayName).arg(e),
                            layout_.expectedReading == EntryReading::WholeNumber
                                ? QString::number(entry.expectedNumber)
                                : entry.expected);
                scope.value(prefix + QStringLiteral("%1(%2)").arg(layout_.targetArrayName).arg(e),
                            layout_.targetReading == EntryReading::WholeNumber ? QString::number(entry.targetNumber)
                                                                                : entry.target);
                pattern.entries.append(entry);
            }
            if (context_.pulStateEnCours != basalo::enuFunctionReturnState_General_Traitement_OK)
                break;
            patterns_.append(pattern);
        }
    });
    if (error) {
        const bool inForce = context_.pulStateEnCours != basalo::enuFunctionReturnState_General_Traitement_OK;
        fail(inForce ? context_.pulStateEnCours : layout_.readFailureState, *error);
    }
    scope.value(QStringLiteral("state en sortie"), QString::number(context_.pulStateEnCours));
    return context_.pulStateEnCours;
}

long AnswerKey::TestePoint(bool& iobBravo, QString& iosLettreReponse, const std::function<bool()>& answered,
                           const std::function<bool(const AnswerPattern&)>& matches)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeControl, layout_.unitName,
                             QStringLiteral("Public Function TestePoint"));
    context_.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    iosLettreReponse.clear();
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        QString letter;
        bool decided = false;
        if (!answered()) {
            letter = pisErreurNoCheck_;
            if (layout_.traceDecisions)
                scope.line(QStringLiteral("iosLettreReponse = pisErreurNoCheck"));
            // Without a no-check letter an unanswered question is scored like any answer.
            decided = !letter.isEmpty();
        }
        if (!decided) {
            for (const AnswerPattern& pattern : patterns_) {
                if (matches(pattern)) {
                    letter = pattern.sLettreReponse;
                    decided = true;
                    break;
                }
            }
        }
        if (!decided) {
            letter = pisErreurElse_;
            if (layout_.traceDecisions)
                scope.line(QStringLiteral("iosLettreReponse = pisErreurElse"));
        }
        const bool bravo = letter == QLatin1String("0");
        if (bravo) {
            if (layout_.traceDecisions)
                scope.line(QStringLiteral("iobBravo = True"));
            letter.clear();
        }
        iobBravo = bravo;
        iosLettreReponse = letter;
        scope.line(QStringLiteral("Bravo = ") + booleanText(bravo) + QStringLiteral(" ; LettreReponse = ") + letter);
    });
    if (error)
        fail(layout_.scoreFailureState, *error);
    return context_.pulStateEnCours;
}

}  // namespace exerva
