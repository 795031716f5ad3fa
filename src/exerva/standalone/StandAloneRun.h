#pragma once

#include "exerva/ControlRegistry.h"
#include "exerva/ExervaContext.h"

#include "platform/Clock.h"
#include "platform/RuntimeError.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace platform {
class MessageBoxes;
}

namespace exerva {

class Manager;
class frmAutonome;

// The stand-alone test mode: exercise files tried by hand, without a host.
// Main asks in the dialog frmAutonome for an application, the question
// instances, their kind, the path mode and the root folder, then shows the
// questions one after the other in the exercise window. Closing that window
// scores the question, shows the outcome in a message box, clears the window
// and goes on; after the last question, or after any failure it reports, the
// run ends and finished() gives the program's exit status: 0 after a normal
// run, 1 when an error message was shown.
//
// The trace "Exerva.htm" and "Param.ini" live in the settings folder.
class StandAloneRun : public QObject {
    Q_OBJECT
public:
    // Shows the dialog and returns once the learner has answered it.
    using DialogRunner = std::function<void(frmAutonome& dialog)>;

    // programFolder is the root folder the dialog offers without settings.
    StandAloneRun(QString programFolder, QString settingsFolder, platform::MessageBoxes& messageBoxes,
                  ExervaContext& context = ExervaContext::processDefault(),
                  const ControlRegistry& registry = systemControlRegistry(),
                  const platform::Clock& clock = platform::SystemClock::instance());
    ~StandAloneRun() override;
    StandAloneRun(const StandAloneRun&) = delete;
    StandAloneRun& operator=(const StandAloneRun&) = delete;

    // The title of every message box of the mode.
    static QString title() { return QStringLiteral("Exerva"); }

    // True when the words after the program's name are exactly "qol", case included.
    static bool isStandAloneCommand(const QStringList& arguments);

    // Where "Param.ini" and the trace go: the program's folder when it can be
    // written to, else the user's configuration folder ".../Exerva" (created).
    static QString settingsFolderFor(const QString& programFolder);

    // Replaces the modal display of the dialog (tests answer it by script).
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // The main routine: the dialog, Prepare, then the first question. Returns
    // with the run either finished (isFinished) or waiting for the learner.
    void Main();
    // Starts the question at the current index.
    void piLanceQuestion();
    // Scores the question on show, tells the outcome, clears the window and
    // starts the next question or ends the run. The exercise window's close
    // box calls it.
    void puCorrigeQuestion();

    bool isFinished() const { return finished_; }
    int exitStatus() const { return errorShown_ ? 1 : 0; }

    // The mode's engine, null before Main and once the run has ended.
    Manager* manager() const { return manager_.get(); }
    const std::vector<long>& questionList() const { return questions_; }
    long currentIndex() const { return currentIndex_; }
    long typeBaseBis() const { return typeBaseBis_; }

signals:
    // The run is over and its engine released; the program ends with this status.
    void finished(int exitStatus);

private:
    // piLanceQuestion without its error handler: Main's catches what it throws.
    void launchQuestion();
    void showMessage(const QString& text);
    void showError(const QString& text);
    // The unexpected-error handler: the message, then the end of the run.
    void unexpectedError(const platform::RuntimeError& error);
    // Releases the engine and ends the run. Inside the window's close event the
    // engine, which owns that window, goes only once the event is over.
    void endRun();

    QString programFolder_;
    QString settingsFolder_;
    platform::MessageBoxes& messageBoxes_;
    ExervaContext& context_;
    const ControlRegistry& registry_;
    const platform::Clock& clock_;
    DialogRunner runDialog_;

    std::unique_ptr<Manager> manager_;
    long idAppli_ = 0;
    std::vector<long> questions_;
    long currentIndex_ = 0;
    long typeBaseBis_ = 1;
    bool modeInet_ = false;
    QString root_;

    bool finished_ = false;
    bool errorShown_ = false;
    bool correcting_ = false;
};

}  // namespace exerva
