#pragma once

#include "exerva/ExerciseControl.h"

#include <QDomNode>
#include <QString>

#include <chrono>

class QWebEngineView;

namespace exerva {

struct PageCall;
struct PageValue;

// Movie page question: a browser shows an interactive page of the application
// folder, the learner works in it, and the score is read back from the page's
// JavaScript objects.
//
// Member table (call by name): the methods InitXMLQuestion, InitXMLReponse and
// TestePoint; the property BackStyle, get and let.
//
// Question node, children by position: 0 height, 1 width, 2 top, 3 left of the
// browser in pixels, 4 visible (a number, 0 hides), 5 the page's file name
// relative to the application folder.
//
// Answer node, children by name (the first of each name counts): "GETOBJECT"
// whose child 0 is the first link of the chain from `document` to the scoring
// object (a link: child 0 a property name, child 1 the next link; a link
// without children ends the chain); "BRAVO" and "ERREUR": child 0 a member
// name, child 1 the call type (1 method, 2 get, 4 let, 8 set), child 2 the
// argument text ("" for none). Names must be JavaScript identifiers.
class KavFLASH : public QuestionControl {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultScriptTimeout{5000};

    explicit KavFLASH(ExervaContext& context, QWidget* parent = nullptr);

    // Places and shows the browser and starts loading the page without waiting
    // for it. 23035 when the node is incomplete, a number is not one, or the
    // file name is empty or leaves the application folder.
    long InitXMLQuestion(const QDomNode& node) override;
    // Keeps the answer node; 23036 for a null node.
    long InitXMLReponse(const QDomNode& node) override;
    // Bravo from the "BRAVO" call; when False, the letter from the "ERREUR"
    // call. 23037 when the page is not loaded, a node or member is missing or
    // refused, a result cannot be converted, or the page does not answer in time.
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // 0 transparent, 1 opaque (the default).
    long BackStyle() const;
    void BackStyle(long value);

    QWebEngineView* WebBrowserFlash() const { return WebBrowserFlash_; }
    // True once the page opened last has finished loading without error.
    bool isPageLoaded() const { return pageLoaded_; }
    // How long each call on the page may take.
    void setScriptTimeout(std::chrono::milliseconds timeout) { scriptTimeout_ = timeout; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PageValue callPage(const PageCall& call);

    QWebEngineView* WebBrowserFlash_ = nullptr;
    QDomNode answerNode_;
    bool placed_ = false;
    bool pageLoaded_ = false;
    long backStyle_ = 1;
    std::chrono::milliseconds scriptTimeout_ = defaultScriptTimeout;
};

}  // namespace exerva
