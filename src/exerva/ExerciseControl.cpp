#include "ExerciseControl.h"

#include "platform/RuntimeError.h"

namespace exerva {

ExerciseControl::ExerciseControl(ExervaContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void ExerciseControl::addMember(const QString& name, long callTypes, Handler handler)
{
    members_.insert(name.toCaseFolded(), Member{callTypes, std::move(handler)});
}

bool ExerciseControl::hasMember(const QString& member, long callType) const
{
    const auto it = members_.constFind(member.toCaseFolded());
    return it != members_.constEnd() && (it->callTypes & callType) != 0;
}

QVariant ExerciseControl::callByName(const QString& member, long callType, QVariantList& arguments)
{
    // Call types are single values, not masks: 3 or 6 names no way to call.
    if (callType != VbMethod && callType != VbGet && callType != VbLet && callType != VbSet)
        throw platform::RuntimeError(platform::InvalidProcedureCall);
    const auto it = members_.constFind(member.toCaseFolded());
    if (it == members_.constEnd() || (it->callTypes & callType) == 0)
        throw platform::RuntimeError(platform::MemberNotSupported);
    // A property read takes no argument and an assignment exactly one, so that a
    // handler serving both never takes one for the other.
    const bool wrongCount = (callType == VbGet && !arguments.isEmpty())
                            || ((callType == VbLet || callType == VbSet) && arguments.size() != 1);
    if (wrongCount)
        throw platform::RuntimeError(platform::WrongArgumentCount);
    // A member may end up removing this control (a page it waits for runs the
    // event loop): the handler it runs must not live in the table it destroys.
    const Handler handler = it->handler;
    return handler(arguments);
}

QuestionControl::QuestionControl(ExervaContext& context, QWidget* parent) : ExerciseControl(context, parent)
{
    addMember(QStringLiteral("InitXMLQuestion"), VbMethod, [this](QVariantList& arguments) -> QVariant {
        if (arguments.size() != 1 || !arguments[0].canConvert<QDomNode>())
            throw platform::RuntimeError(platform::TypeMismatch);
        return QVariant::fromValue<long>(InitXMLQuestion(arguments[0].value<QDomNode>()));
    });
    addMember(QStringLiteral("InitXMLReponse"), VbMethod, [this](QVariantList& arguments) -> QVariant {
        if (arguments.size() != 1 || !arguments[0].canConvert<QDomNode>())
            throw platform::RuntimeError(platform::TypeMismatch);
        return QVariant::fromValue<long>(InitXMLReponse(arguments[0].value<QDomNode>()));
    });
    addMember(QStringLiteral("TestePoint"), VbMethod, [this](QVariantList& arguments) -> QVariant {
        if (arguments.size() != 2)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        bool bravo = arguments[0].toBool();
        QString letter = arguments[1].toString();
        const long state = TestePoint(bravo, letter);
        arguments[0] = bravo;
        arguments[1] = letter;
        return QVariant::fromValue<long>(state);
    });
}

}  // namespace exerva
