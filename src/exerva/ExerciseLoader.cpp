#include "ExerciseLoader.h"

#include "BooleanText.h"
#include "DomNodes.h"
#include "ErrorRecording.h"
#include "ExervaContext.h"
#include "NumberText.h"
#include "OleColor.h"
#include "ZoneLoader.h"
#include "frmCT.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"

#include <QDomNodeList>

namespace exerva {

namespace {

using namespace basalo;

const QString unitName = QStringLiteral("Manager");
const QString referencedError = QStringLiteral("erreur kav reférencé : ");

// Window node: caption, height, width, (unused), background colour.
void applyWindowNode(LoadSession& session, const QDomNode& node)
{
    frmCT& window = platform::require(session.window);
    const QString caption = typedText(requiredChild(node, 0));
    const long height = wholeNumberFromText(typedText(requiredChild(node, 1)));
    const long width = wholeNumberFromText(typedText(requiredChild(node, 2)));
    const QString colour = typedText(requiredChild(node, 4));
    std::optional<QColor> backColor;
    if (!colour.isEmpty())
        backColor = oleColorToQColor(wholeNumberFromText(colour));
    window.applyForm(caption, height, width, backColor);
}

// What a question node and an exercise-application node share: the window from
// child 0 (`formFailure` while it is set up), then the node's zones, which
// `loadZones(zone, scope, identifier)` loads in turn, each by `zone(title, child)`
// (the step's trace line, then child `child` loaded as a zone: its state); an
// unexpected error gives `unknownFailure` when the state was 1.
template <typename LoadZones>
long loadWindowAndZones(LoadSession& session, const QDomNode& node, const QString& function, long formFailure,
                        long unknownFailure, LoadZones loadZones)
{
    ExervaContext& context = session.context;
    long& state = context.pulStateEnCours;
    tracel::TraceScope scope(context.trace, tracel::TypeClass, unitName,
                             QStringLiteral("Private Function ") + function);
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        state = formFailure;
        applyWindowNode(session, requiredChild(node, 0));
        state = enuFunctionReturnState_General_Traitement_OK;
        // One identifier for every zone: an answer zone without OBJECT names
        // the last control of an earlier zone.
        QString identifier;
        const auto zone = [&](const QString& title, int child) {
            const QDomNode zoneNode = requiredChild(node, child);
            scope.line(title);
            state = puLoadZone(context, session.registry, session.window, zoneNode, identifier);
            return state;
        };
        loadZones(zone, scope, identifier);
        scope.line(QStringLiteral("State en sortie ") + QString::number(state));
    });
    if (error)
        recordFailure(context, scope, *error, unknownFailure);
    return state;
}

}  // namespace

void piodomXML_onreadystatechange(LoadSession& session, const QDomDocument& document, long readyState)
{
    ExervaContext& context = session.context;
    long& state = context.pulStateEnCours;
    tracel::TraceScope scope(context.trace, tracel::TypeClass, unitName,
                             QStringLiteral("Private Sub piodomXML_onreadystatechange"));
    scope.value(QStringLiteral("piodomXML.readyState"), QString::number(readyState));
    if (readyState != 4) {
        session.pibXmlLoaded = false;
        return;
    }
    const auto fail = [&](long code, const QString& memberName) {
        state = code;
        scope.line(referencedError + memberName);
    };
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        const QDomElement root = document.documentElement();
        if (root.isNull()) {
            fail(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing,
                 returnStateName(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing));
        } else {
            const QString questionName = QStringLiteral("INSTANCE") + QString::number(session.instance);
            const QString exoAppName = QStringLiteral("EXOAPP") + QString::number(session.instance);
            QDomNode question;
            QDomNode exoApp;
            QDomNode information;
            const QDomNodeList children = root.childNodes();
            for (int i = 0; i < children.count(); ++i) {
                const QDomNode child = children.at(i);
                const QString name = child.nodeName();
                if (name == questionName)
                    question = child;
                else if (name == exoAppName)
                    exoApp = child;
                else if (name == QLatin1String("INFORMATION"))
                    information = child;
            }
            if (information.isNull()) {
                fail(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurInfoIsNothing,
                     returnStateName(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurInfoIsNothing));
            } else if (question.isNull() && exoApp.isNull()) {
                // The trace has always spelt this one after its older name.
                fail(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurQuestionExoAppIsNothing,
                     QStringLiteral("enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurQuestionIsNothing"));
            } else {
                session.questionFlag = exoApp.isNull();
                state = enuFunctionReturnState_Exerva_Manager_onreadystatechange_frmCTShow;
                frmCT& window = platform::require(session.window);
                if (!window.isVisible())
                    window.show();
                state = enuFunctionReturnState_General_Traitement_OK;
                if (information.childNodes().count() != 8) {
                    fail(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurNodeinformation,
                         returnStateName(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurNodeinformation));
                } else {
                    context.scrambledTexts = booleanFromText(typedText(requiredChild(information, 0)));
                    if (!exoApp.isNull()) {
                        if (exoApp.childNodes().count() != 3) {
                            fail(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurNodeExoApp,
                                 returnStateName(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurNodeExoApp));
                        } else {
                            state = piChargeInfoExoApp(session, exoApp);
                            scope.line(QStringLiteral("State en sortie : ") + QString::number(state));
                        }
                    } else if (question.childNodes().count() != 5) {
                        fail(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurNodeQuestion,
                             returnStateName(enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurNodeQuestion));
                    } else {
                        state = piChargeInfoQuestion(session, question);
                        scope.line(QStringLiteral("State en sortie : ") + QString::number(state));
                    }
                }
            }
        }
    });
    if (error) {
        recordFailure(context, scope, *error, enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurInconnue);
        scope.value(QStringLiteral("pulStateEnCours"), QString::number(state));
    }
    session.pibXmlLoaded = true;
}

long piChargeInfoQuestion(LoadSession& session, const QDomNode& question)
{
    return loadWindowAndZones(
        session, question, QStringLiteral("piChargeInfoQuestion"),
        enuFunctionReturnState_Exerva_Manager_piChargeInfoQuestion_ErreurForm,
        enuFunctionReturnState_Exerva_Manager_piChargeInfoQuestion_ErreurInconnue,
        [&session](const auto& zone, const tracel::TraceScope& scope, const QString& identifier) {
            if (zone(QStringLiteral("Etape 2 : COMMONTOOLS"), 1) == enuFunctionReturnState_General_Traitement_OK
                && zone(QStringLiteral("Etape 3 : ZQ"), 2) == enuFunctionReturnState_General_Traitement_OK
                && zone(QStringLiteral("Etape 4 : ZI"), 3) == enuFunctionReturnState_General_Traitement_OK) {
                zone(QStringLiteral("Etape 5 : ZRP"), 4);
                session.pisNameControlZRP = identifier;
                scope.value(QStringLiteral("pisNameControlZRP"), identifier);
            }
        });
}

long piChargeInfoExoApp(LoadSession& session, const QDomNode& exoApp)
{
    return loadWindowAndZones(session, exoApp, QStringLiteral("piChargeInfoExoApp"),
                              enuFunctionReturnState_Exerva_Manager_piChargeInfoExoApp_ErreurForm,
                              enuFunctionReturnState_Exerva_Manager_piChargeInfoExoApp_ErreurInconnue,
                              [](const auto& zone, const tracel::TraceScope&, const QString&) {
                                  if (zone(QStringLiteral("Etape 2 : COMMONTOOLS"), 1)
                                      == enuFunctionReturnState_General_Traitement_OK)
                                      zone(QStringLiteral("Etape 3 : ZI"), 2);
                              });
}

}  // namespace exerva
