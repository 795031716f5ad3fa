#include "RecordingControl.h"

#include "exerva/ExervaContext.h"
#include "exerva/Tools.h"

#include "platform/RuntimeError.h"

#include <QDomDocument>

namespace exerva_test {

QList<RecordedCall> CallLog::callsTo(const QString& member) const
{
    QList<RecordedCall> found;
    for (const RecordedCall& call : calls) {
        if (call.member == member)
            found.append(call);
    }
    return found;
}

bool CallLog::called(const QString& control, const QString& member) const
{
    for (const RecordedCall& call : calls) {
        if (call.control == control && call.member == member)
            return true;
    }
    return false;
}

RecordingControl::RecordingControl(exerva::ExervaContext& context, QWidget* parent, std::shared_ptr<CallLog> log)
    : QuestionControl(context, parent), log_(std::move(log))
{
    addMember(QStringLiteral("Caption"), exerva::VbGet | exerva::VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return caption_;
        record(QStringLiteral("Caption"), arguments);
        caption_ = arguments[0].toString();
        return {};
    });
    addMember(QStringLiteral("BackColor"), exerva::VbGet | exerva::VbLet, [this](QVariantList& arguments) -> QVariant {
        if (arguments.isEmpty())
            return backColor_;
        record(QStringLiteral("BackColor"), arguments);
        backColor_ = arguments[0];
        return {};
    });
    addMember(QStringLiteral("Echo"), exerva::VbMethod, [this](QVariantList& arguments) -> QVariant {
        record(QStringLiteral("Echo"), arguments);
        return arguments.value(0);
    });
    addMember(QStringLiteral("Fail"), exerva::VbMethod, [this](QVariantList& arguments) -> QVariant {
        record(QStringLiteral("Fail"), arguments);
        throw platform::RuntimeError(platform::InvalidProcedureCall);
    });
    // The contract's TestePoint, handing back what the log says when it says something.
    addMember(QStringLiteral("TestePoint"), exerva::VbMethod, [this](QVariantList& arguments) -> QVariant {
        const std::shared_ptr<CallLog> log = log_;
        bool bravo = arguments.value(0).toBool();
        QString letter = arguments.value(1).toString();
        const long state = TestePoint(bravo, letter);
        arguments = QVariantList{bravo, letter};
        return log->testePointResult.isValid() ? log->testePointResult : QVariant::fromValue<long>(state);
    });
    addMember(QStringLiteral("NodeResult"), exerva::VbMethod, [this](QVariantList& arguments) -> QVariant {
        record(QStringLiteral("NodeResult"), arguments);
        QDomDocument document;
        return QVariant::fromValue<QDomNode>(document.createElement(QStringLiteral("N")));
    });
}

RecordingControl::~RecordingControl()
{
    log_->destroyed.append(objectName());
}

void RecordingControl::record(const QString& member, const QVariantList& arguments)
{
    QVariantList shown;
    for (const QVariant& argument : arguments) {
        if (argument.canConvert<QDomNode>() && argument.typeId() == qMetaTypeId<QDomNode>())
            shown.append(argument.value<QDomNode>().nodeName());
        else
            shown.append(argument);
    }
    log_->calls.append(RecordedCall{objectName(), member, shown});
}

long RecordingControl::InitXMLQuestion(const QDomNode& node)
{
    record(QStringLiteral("InitXMLQuestion"), {QVariant::fromValue(node)});
    context().pulStateEnCours = log_->initQuestionState;
    const long state = log_->initQuestionState;
    runHook(log_->onInitXMLQuestion);
    return state;
}

long RecordingControl::InitXMLReponse(const QDomNode& node)
{
    record(QStringLiteral("InitXMLReponse"), {QVariant::fromValue(node)});
    context().pulStateEnCours = log_->initReponseState;
    return log_->initReponseState;
}

long RecordingControl::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    record(QStringLiteral("TestePoint"), {});
    iobBravo = log_->bravo;
    iosLettreReponse = log_->letter;
    context().pulStateEnCours = log_->testePointState;
    const long state = log_->testePointState;
    runHook(log_->onTestePoint);
    return state;
}

void RecordingControl::runHook(const std::function<void()>& hook)
{
    // A copy: the hook may destroy this control, and with it nothing here is used again.
    const std::function<void()> run = hook;
    if (run)
        run();
}

std::unique_ptr<exerva::ControlRegistry> makeTestRegistry(const std::shared_ptr<CallLog>& log)
{
    auto registry = std::make_unique<exerva::ControlRegistry>();
    registry->add(recordingIdentifier, [log](exerva::ExervaContext& context, QWidget* parent) -> exerva::ExerciseControl* {
        return new RecordingControl(context, parent, log);
    });
    registry->add(QStringLiteral("Exerva.Tools"),
                  [](exerva::ExervaContext& context, QWidget* parent) -> exerva::ExerciseControl* {
                      return new exerva::Tools(context, parent);
                  });
    return registry;
}

}  // namespace exerva_test
