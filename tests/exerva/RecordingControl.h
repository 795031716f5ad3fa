#pragma once

#include "exerva/ControlRegistry.h"
#include "exerva/ExerciseControl.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>

namespace exerva_test {

// One call a recording control received: the control's name, the member and
// the arguments as they arrived (a node argument is recorded as its name).
struct RecordedCall {
    QString control;
    QString member;
    QVariantList arguments;
};

// What the recording controls answer, and what they saw. Shared by the test
// and every control its registry makes, so it outlives the controls.
struct CallLog {
    long initQuestionState = 1;
    long initReponseState = 1;
    long testePointState = 1;
    bool bravo = true;
    QString letter;

    // Run by a control as the last thing its InitXMLQuestion and TestePoint
    // do: a hook may re-enter the engine and destroy the control.
    std::function<void()> onInitXMLQuestion;
    std::function<void()> onTestePoint;
    // What the TestePoint member hands back when set, instead of the state.
    QVariant testePointResult;

    QList<RecordedCall> calls;
    QStringList destroyed;

    QList<RecordedCall> callsTo(const QString& member) const;
    bool called(const QString& control, const QString& member) const;
};

// A question-type control for the tests: it implements the control contract
// with the scripted results and records every call. Member table: the
// contract's three methods; Caption (get, let); BackColor (get, let); Echo
// (method: returns its one argument); Fail (method: always raises error 5);
// NodeResult (method: returns an XML node, which has no text).
class RecordingControl : public exerva::QuestionControl {
    Q_OBJECT
public:
    RecordingControl(exerva::ExervaContext& context, QWidget* parent, std::shared_ptr<CallLog> log);
    ~RecordingControl() override;

    long InitXMLQuestion(const QDomNode& node) override;
    long InitXMLReponse(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    QString caption() const { return caption_; }
    QVariant backColor() const { return backColor_; }

private:
    void record(const QString& member, const QVariantList& arguments);
    static void runHook(const std::function<void()>& hook);

    std::shared_ptr<CallLog> log_;
    QString caption_;
    QVariant backColor_;
};

inline const QString recordingIdentifier = QStringLiteral("Test.Recording");

// A registry with the recording control ("Test.Recording") and the Tools control.
std::unique_ptr<exerva::ControlRegistry> makeTestRegistry(const std::shared_ptr<CallLog>& log);

}  // namespace exerva_test
