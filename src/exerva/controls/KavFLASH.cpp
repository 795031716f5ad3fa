#include "KavFLASH.h"

#include "ControlLook.h"
#include "PageScript.h"
#include "PropertyArgument.h"
#include "TwipsGeometry.h"

#include "exerva/BooleanText.h"
#include "exerva/DomNodes.h"
#include "exerva/ErrorRecording.h"
#include "exerva/ExerciseFile.h"
#include "exerva/ExervaContext.h"
#include "exerva/NumberText.h"
#include "exerva/PathSyntax.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/Paths.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "tracel/TraceChannel.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QRect>
#include <QResizeEvent>
#include <QScreen>
#include <QUrl>
#include <QWebEngineView>

namespace exerva {

namespace {

using namespace basalo;

const QString unitName = QStringLiteral("KavFLASH");
constexpr long maxPixels = 32767;

// The first child of that name (compared exactly); error 91 when there is none,
// as using the missing node did.
QDomNode firstChildNamed(const QDomNode& node, const QString& name)
{
    if (node.isNull())
        throw platform::RuntimeError(platform::ObjectNotSet);
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.nodeName() == name)
            return child;
    }
    throw platform::RuntimeError(platform::ObjectNotSet);
}

// The property names from the document to the scoring object.
QStringList objectChain(const QDomNode& getObject)
{
    QStringList chain;
    for (QDomNode link = requiredChild(getObject, 0); link.hasChildNodes(); link = requiredChild(link, 1))
        chain.append(typedText(requiredChild(link, 0)));
    return chain;
}

// A "BRAVO" or "ERREUR" node as a call on the scoring object.
PageCall readCall(const QDomNode& node, const QStringList& chain)
{
    PageCall call;
    call.chain = chain;
    call.member = typedText(requiredChild(node, 0));
    call.callType = wholeNumberFromText(typedText(requiredChild(node, 1)));
    const QString argument = typedText(requiredChild(node, 2));
    if (!argument.isEmpty())
        call.argument = argument;
    return call;
}

// The trace line naming a call, as the original wrote it.
QString callTraceLine(const QString& target, const PageCall& call)
{
    return target + QStringLiteral(" = CallByName(oTempObject, ") + call.member + QStringLiteral(", ")
        + QString::number(call.callType) + QStringLiteral(", ") + call.argument.value_or(QString()) + QLatin1Char(')');
}

// Where the page is: a file of the application folder, or the same place on
// the course server when the root is one. `path` receives the engine's path.
QUrl pageUrl(const ExervaContext& context, const QString& file, QString& path)
{
    if (!platform::paths::staysInside(file))
        throw platform::RuntimeError(platform::BadFileName);
    path = applicationFolder(context) + file;
    puNormaliseSeparateurs(context, path);
    if (isServerRoot(context.pusCheminRoot) && path.startsWith(context.pusCheminRoot)) {
        const QUrl url =
            serverFileUrl(context.pusCheminRoot, platform::paths::fromData(path.mid(context.pusCheminRoot.size())));
        if (!url.isValid())
            throw platform::RuntimeError(platform::BadFileName);
        return url;
    }
    return QUrl::fromLocalFile(QFileInfo(diskPath(path)).absoluteFilePath());
}

}  // namespace

KavFLASH::KavFLASH(ExervaContext& context, QWidget* parent) : QuestionControl(context, parent)
{
    WebBrowserFlash_ = new QWebEngineView(this);
    WebBrowserFlash_->setGeometry(rect());
    connect(WebBrowserFlash_, &QWebEngineView::loadStarted, this, [this] { pageLoaded_ = false; });
    connect(WebBrowserFlash_, &QWebEngineView::loadFinished, this, [this](bool ok) { pageLoaded_ = ok; });
    applyBackStyle(*this, backStyle_);

    addLongProperties(*this, {{"BackStyle", &KavFLASH::BackStyle, &KavFLASH::BackStyle}});
}

long KavFLASH::InitXMLQuestion(const QDomNode& node)
{
    ExervaContext& context = this->context();
    tracel::TraceScope scope(context.trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLQuestion"));
    context.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        QWebEngineView& browser = platform::require(WebBrowserFlash_);
        const long height = wholeNumberFromText(typedText(requiredChild(node, 0)));
        const long width = wholeNumberFromText(typedText(requiredChild(node, 1)));
        const long top = wholeNumberFromText(typedText(requiredChild(node, 2)));
        const long left = wholeNumberFromText(typedText(requiredChild(node, 3)));
        const bool visible = numberFromText(typedText(requiredChild(node, 4))) != 0.0;
        placeInTwips(browser, QRect(twipsFromPixels(left, platform::twipsPerPixelX(), -maxPixels),
                                    twipsFromPixels(top, platform::twipsPerPixelY(), -maxPixels),
                                    twipsFromPixels(width, platform::twipsPerPixelX(), 0),
                                    twipsFromPixels(height, platform::twipsPerPixelY(), 0)));
        // A page view larger than the desktop only costs memory; the window
        // system never made one larger.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize desktop = screen->virtualSize();
            browser.resize(std::min(browser.width(), desktop.width()), std::min(browser.height(), desktop.height()));
        }
        placed_ = true;
        browser.setVisible(visible);

        QString path;
        const QUrl url = pageUrl(context, typedText(requiredChild(node, 5)), path);
        scope.value(QStringLiteral("sPath"), path);
        pageLoaded_ = false;
        browser.load(url);
    });
    if (error) {
        recordError(context, scope, *error);
        context.pulStateEnCours = enuFunctionReturnState_Exerva_KavFLASH_InitXMLQuestion_ErreurInconnue;
    }
    return context.pulStateEnCours;
}

long KavFLASH::InitXMLReponse(const QDomNode& node)
{
    ExervaContext& context = this->context();
    tracel::TraceScope scope(context.trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function InitXMLReponse"));
    context.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        // Scoring walks this node later: a missing one is refused now, where the file is at fault.
        if (node.isNull())
            throw platform::RuntimeError(platform::ObjectNotSet);
        answerNode_ = node;
    });
    if (error) {
        recordError(context, scope, *error);
        context.pulStateEnCours = enuFunctionReturnState_Exerva_KavFLASH_InitXMLReponse_ErreurInconnue;
    }
    return context.pulStateEnCours;
}

long KavFLASH::TestePoint(bool& iobBravo, QString& iosLettreReponse)
{
    // The page runs while a call waits for it and might remove this control:
    // the failure path uses only what outlives it.
    ExervaContext& context = this->context();
    tracel::TraceScope scope(context.trace, tracel::TypeControl, unitName,
                             QStringLiteral("Public Function TestePoint"));
    context.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    iosLettreReponse.clear();
    // A failure before Bravo is known reports a wrong answer, whatever the caller passed in.
    iobBravo = false;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        const QDomNode answer = answerNode_;
        const QStringList chain = objectChain(firstChildNamed(answer, QStringLiteral("GETOBJECT")));

        const PageCall bravo = readCall(firstChildNamed(answer, QStringLiteral("BRAVO")), chain);
        scope.line(callTraceLine(QStringLiteral("iobBravo"), bravo));
        iobBravo = pageValueToBoolean(callPage(bravo));
        scope.line(QStringLiteral("iobBravo = ") + booleanText(iobBravo));

        if (!iobBravo) {
            const PageCall erreur = readCall(firstChildNamed(answer, QStringLiteral("ERREUR")), chain);
            scope.line(callTraceLine(QStringLiteral("iosLettreReponse"), erreur));
            iosLettreReponse = pageValueToText(callPage(erreur));
            scope.line(QStringLiteral("iosLettreReponse = ") + iosLettreReponse);
        }
        context.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
        scope.line(QStringLiteral("Bravo = ") + booleanText(iobBravo) + QStringLiteral(" ; LettreReponse = ")
                   + iosLettreReponse);
    });
    if (error) {
        recordError(context, scope, *error);
        context.pulStateEnCours = enuFunctionReturnState_Exerva_KavFLASH_TestePoint_ErreurInconnue;
    }
    return context.pulStateEnCours;
}

PageValue KavFLASH::callPage(const PageCall& call)
{
    // Names are checked before anything reaches the page.
    const QString script = pageCallScript(call);
    if (!pageLoaded_)
        throw platform::RuntimeError(platform::ObjectNotSet,
                                     platform::runtimeErrorText(platform::ObjectNotSet)
                                         + QStringLiteral(" : the page is not loaded"));
    QWebEnginePage* page = platform::require(WebBrowserFlash_).page();
    const QPointer<KavFLASH> alive(this);
    const QVariant outcome = runPageScript(platform::require(page), script, scriptTimeout_);
    if (!alive)
        throw platform::RuntimeError(platform::ObjectNotSet);
    return pageValueFromOutcome(outcome);
}

long KavFLASH::BackStyle() const { return backStyle_; }

void KavFLASH::BackStyle(long value)
{
    if (value != 0 && value != 1)
        throwInvalidPropertyValue();
    backStyle_ = value;
    applyBackStyle(*this, value);
}

void KavFLASH::resizeEvent(QResizeEvent* event)
{
    QuestionControl::resizeEvent(event);
    // Until the question places it, the browser fills the control.
    if (!placed_ && WebBrowserFlash_)
        WebBrowserFlash_->setGeometry(rect());
}

}  // namespace exerva
