#include "AnswerKey.h"

#include "BooleanText.h"
#include "CaughtError.h"
#include "Decrypt.h"
#include "DomNodes.h"
#include "ExervaContext.h"
#include "NumberText.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"

#include <QDomNodeList>

namespace exerva {

namespace {

constexpr long stateOk = basalo::enuFunctionReturnState_General_Traitement_OK;

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

long AnswerKey::fail(long state, long number, const QString& text) const
{
    context_.storeError(number, text);
    context_.trace.write(tracel::TypeControl, layout_.module, QStringLiteral("erreur kav %1 : %2").arg(number).arg(text));
    context_.pulStateEnCours = state;
    return state;
}

long AnswerKey::InitXMLReponse(const QDomNode& node)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeControl, layout_.module,
                             QStringLiteral("Public Function InitXMLReponse"));
    context_.pulStateEnCours = stateOk;
    patterns_.clear();
    pisErreurNoCheck_.clear();
    pisErreurElse_.clear();

    const auto readFailure = [this](long number, const QString& text) {
        const long state =
            context_.pulStateEnCours == stateOk ? layout_.readFailureState : context_.pulStateEnCours;
        return fail(state, number, text);
    };
    try {
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        const QDomNodeList responses = node.childNodes();
        for (int r = 0; r < responses.count(); ++r) {
            const QDomNode response = responses.at(r);
            QString letter = typedText(requiredChild(response, 0));
            if (descrambleIfScrambled(context_, letter) != stateOk)
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
                if (descrambleIfScrambled(context_, entry.expected) != stateOk)
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
            if (context_.pulStateEnCours != stateOk)
                break;
            patterns_.append(pattern);
        }
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        readFailure(error.number(), error.text());
    }
    scope.value(QStringLiteral("state en sortie"), QString::number(context_.pulStateEnCours));
    return context_.pulStateEnCours;
}

long AnswerKey::TestePoint(bool& iobBravo, QString& iosLettreReponse, const std::function<bool()>& answered,
                           const std::function<bool(const AnswerPattern&)>& matches)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeControl, layout_.module,
                             QStringLiteral("Public Function TestePoint"));
    context_.pulStateEnCours = stateOk;
    iosLettreReponse.clear();
    try {
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
    } catch (...) {
        const platform::RuntimeError error = caughtError();
        fail(layout_.scoreFailureState, error.number(), error.text());
    }
    return context_.pulStateEnCours;
}

}  // namespace exerva
