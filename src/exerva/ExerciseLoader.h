#pragma once

#include "frmCT.h"

#include <QDomDocument>
#include <QPointer>
#include <QString>

namespace exerva {

class ControlRegistry;
struct ExervaContext;

// One load of an exercise file into the window: what the Manager hands the
// ready-state handler and what the handler fills in for it.
struct LoadSession {
    LoadSession(ExervaContext& c, const ControlRegistry& r, frmCT* w, long n)
        : context(c), registry(r), window(w), instance(n)
    {
    }

    ExervaContext& context;
    const ControlRegistry& registry;
    // The exercise window; null when there is none, or when a control's call
    // closed it during the load, which fails the step that needs it.
    QPointer<frmCT> window;
    // The INSTANCE and EXOAPP nodes used are named after it.
    long instance = 0;

    // Set True by the handler once the document is complete, whatever the outcome.
    bool pibXmlLoaded = false;
    // The answer zone's control, set when a question node's answer zone was reached.
    QString pisNameControlZRP;
    // True when the question node was used, False for the exercise-application node.
    bool questionFlag = false;
};

// The ready-state handler of the exercise document: at state 4 it checks the
// file's layout, shows the window and loads the question or the
// exercise-application node into it. The outcome is in the context's
// pulStateEnCours. A null document is a file that could not be read.
void piodomXML_onreadystatechange(LoadSession& session, const QDomDocument& document, long readyState);

// Window node and zones of a question node (5 children) or of an
// exercise-application node (3 children); each returns the state it leaves.
long piChargeInfoQuestion(LoadSession& session, const QDomNode& question);
long piChargeInfoExoApp(LoadSession& session, const QDomNode& exoApp);

}  // namespace exerva
