#include "ZoneLoader.h"

#include "BooleanText.h"
#include "ControlRegistry.h"
#include "DomNodes.h"
#include "ErrorRecording.h"
#include "ExerciseControl.h"
#include "ExervaContext.h"
#include "NumberText.h"
#include "VariantValue.h"
#include "frmCT.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"

#include <QDomNodeList>

namespace exerva {

namespace {

using namespace basalo;

const QString unitName = QStringLiteral("modGlobal");

frmCT& requireWindow(frmCT* window)
{
    return platform::require(window);
}

ExerciseControl& namedControl(frmCT* window, const QString& name)
{
    ExerciseControl* control = requireWindow(window).control(name);
    if (!control)
        throw controlNotFoundError(name);
    return *control;
}

bool isNumeric(const QString& text)
{
    return !platform::trapError(unknownErrorNumber, [&] { numberFromText(text); });
}

// A kind-1 value: numeric text goes as a whole number, anything else as text.
QVariant valueArgument(const QString& text)
{
    if (isNumeric(text))
        return QVariant::fromValue<long>(wholeNumberFromText(text));
    return text;
}

QString callLine(const QString& id, const QString& procedure, long callType, const QString* value = nullptr)
{
    QString line = QStringLiteral("Call CallByName(ioConteneur.Controls(") + id + QStringLiteral("), ") + procedure
        + QStringLiteral(", ") + QString::number(callType);
    if (value)
        line += QStringLiteral(", ") + *value;
    return line + QLatin1Char(')');
}

void addObject(ExervaContext& context, const ControlRegistry& registry, frmCT* window, const QDomNode& object,
               QString& iosIDObject, const tracel::TraceScope& scope)
{
    long& state = context.pulStateEnCours;
    scope.line(QStringLiteral("NODE_OBJECT"));
    state = enuFunctionReturnState_Exerva_modGlobal_puLoadZone_ErreurObject;
    iosIDObject = typedText(requiredChild(object, 0));
    const QString classObject = typedText(requiredChild(object, 1));
    scope.value(QStringLiteral("iosIDObject"), iosIDObject);
    scope.value(QStringLiteral("sClassObject"), classObject);

    frmCT& target = requireWindow(window);
    if (target.control(iosIDObject))
        throw platform::RuntimeError(727, QStringLiteral("There is already a control with the name '%1'").arg(iosIDObject));
    if (target.controlCount() >= frmCT::maxControls)
        throw platform::RuntimeError(platform::InvalidProcedureCall,
                                     QStringLiteral("The window holds no more than %1 controls").arg(frmCT::maxControls));
    std::unique_ptr<ExerciseControl> created(registry.create(classObject, context, &target));
    if (!created)
        throw platform::RuntimeError(platform::CannotCreateObject,
                                     QStringLiteral("Invalid class string '%1'").arg(classObject));
    // Showing the control runs its own code, which may end the window and it with it.
    const QPointer<ExerciseControl> control(created.get());
    if (!target.addControl(iosIDObject, std::move(created)))
        throw platform::RuntimeError(platform::InvalidProcedureCall);

    state = enuFunctionReturnState_Exerva_modGlobal_puLoadZone_ErreurDimension;
    scope.line(QStringLiteral("Dimensionnement de l'objet"));
    frmCT::placeControl(platform::require(control), wholeNumberFromText(typedText(requiredChild(object, 3))),
                        wholeNumberFromText(typedText(requiredChild(object, 4))),
                        wholeNumberFromText(typedText(requiredChild(object, 5))),
                        wholeNumberFromText(typedText(requiredChild(object, 6))));
    platform::require(control).setVisible(booleanFromText(typedText(requiredChild(object, 7))));
    const QString zOrder = typedText(requiredChild(object, 2));
    if (!zOrder.isEmpty()) {
        scope.line(QStringLiteral("ZOrder ") + zOrder);
        frmCT::zOrder(platform::require(control), wholeNumberFromText(zOrder));
    }
}

}  // namespace

long puLoadZone(ExervaContext& context, const ControlRegistry& registry, frmCT* window, const QDomNode& zone,
                QString& iosIDObject)
{
    tracel::TraceScope scope(context.trace, tracel::TypeBas, unitName, QStringLiteral("Public Function puLoadZone"));
    long& state = context.pulStateEnCours;
    // A control's member may close the window while the zone loads: every step
    // then finds it gone instead of using what was freed.
    const QPointer<frmCT> guarded(window);
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (zone.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        const QDomNodeList children = zone.childNodes();
        for (int i = 0; i < children.count(); ++i) {
            const QDomNode child = children.at(i);
            const QString name = child.nodeName();
            if (name == QLatin1String("OBJECT")) {
                addObject(context, registry, guarded, child, iosIDObject, scope);
            } else if (name == QLatin1String("CALLBYNAME")) {
                scope.line(QStringLiteral("NODE_CALLBYNAME"));
                QString handedBack;
                state = piApplyCallByname(context, guarded, child, handedBack);
                if (state != enuFunctionReturnState_General_Traitement_OK) {
                    scope.line(QStringLiteral("State En Sortie : ") + QString::number(state));
                    return;
                }
            } else {
                scope.line(QStringLiteral("NODE : ") + name);
            }
        }
        state = enuFunctionReturnState_General_Traitement_OK;
    });
    if (error)
        recordFailure(context, scope, *error, enuFunctionReturnState_Exerva_modGlobal_puLoadZone_ErreurInconnue);
    return state;
}

long piApplyCallByname(ExervaContext& context, frmCT* window, const QDomNode& node, QString& sValue, int depth)
{
    tracel::TraceScope scope(context.trace, tracel::TypeBas, unitName,
                             QStringLiteral("Private Function piApplyCallByname"));
    long& state = context.pulStateEnCours;
    // The nested call runs members that may close the window before the outer call.
    const QPointer<frmCT> guarded(window);
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (depth > maxCallByNameDepth) {
            recordError(context, scope, platform::RuntimeError(platform::OutOfStackSpace));
            state = enuFunctionReturnState_Exerva_modGlobal_piApplyCallByname_ErreurInconnue;
            return;
        }
        state = enuFunctionReturnState_Exerva_modGlobal_piApplyCallByname_ErreurCallByName;
        const QString id = typedText(requiredChild(node, 0));
        scope.value(QStringLiteral("IDObject"), id);
        const QString procedure = typedText(requiredChild(node, 1));
        scope.value(QStringLiteral("ProcedureName"), procedure);
        const long callType = wholeNumberFromText(typedText(requiredChild(node, 2)));
        scope.value(QStringLiteral("lCallType"), QString::number(callType));

        state = enuFunctionReturnState_Exerva_modGlobal_piApplyCallByname_ErreurArg;
        const QDomNode argument = requiredChild(node, 3);
        const long argType = wholeNumberFromText(typedText(requiredChild(argument, 0)));
        scope.value(QStringLiteral("ArgType"), QString::number(argType));

        switch (argType) {
        case 0: {
            scope.line(callLine(id, procedure, callType));
            state = enuFunctionReturnState_Exerva_modGlobal_piApplyCallByname_ErreurCallVide;
            QVariantList arguments;
            namedControl(guarded, id).callByName(procedure, callType, arguments);
            state = enuFunctionReturnState_General_Traitement_OK;
            break;
        }
        case 1: {
            const QString value = typedText(requiredChild(argument, 1));
            scope.line(callLine(id, procedure, callType, &value));
            state = enuFunctionReturnState_Exerva_modGlobal_piApplyCallByname_ErreurCallWithValue;
            QVariantList arguments{valueArgument(value)};
            sValue = variantText(namedControl(guarded, id).callByName(procedure, callType, arguments));
            scope.line(QStringLiteral("CallByName retourne : ") + sValue);
            state = enuFunctionReturnState_General_Traitement_OK;
            break;
        }
        case 2: {
            QString nestedValue;
            const long nestedState = piApplyCallByname(context, guarded, requiredChild(argument, 1), nestedValue, depth + 1);
            state = nestedState;
            scope.value(QStringLiteral("sValue"), nestedValue);
            // A nested call that failed has nothing sound to pass on.
            if (nestedState != enuFunctionReturnState_General_Traitement_OK)
                break;
            QVariantList arguments{valueArgument(nestedValue)};
            namedControl(guarded, id).callByName(procedure, callType, arguments);
            break;
        }
        case 4: {
            QVariantList arguments{QVariant::fromValue(requiredChild(argument, 1))};
            state = variantWholeNumber(namedControl(guarded, id).callByName(procedure, callType, arguments));
            break;
        }
        default:
            // Kind 3 and the kinds above 4 call nothing; the argument step's state stays.
            break;
        }
    });
    if (error)
        recordFailure(context, scope, *error, enuFunctionReturnState_Exerva_modGlobal_piApplyCallByname_ErreurInconnue);
    return state;
}

}  // namespace exerva
