#pragma once

#include "LaunchOptions.h"

#include <QObject>
#include <QString>

#include <memory>

namespace pelago {
class CommonData;
class clsManager;
}  // namespace pelago

namespace pelagoapp {

// One launch as a launch page makes it: AskStart, the session's properties,
// the start of the module or question; then the learner plays, the launcher
// reports the result and, once the keep-alive delay has passed, ends.
class LaunchRun : public QObject {
    Q_OBJECT

public:
    LaunchRun(pelago::CommonData& data, LaunchOptions options);
    ~LaunchRun() override;

    // Asks for the run and starts it; false, with problem() to tell, when
    // the launcher refuses or the start fails: the launcher has then ended
    // (finished(1)), everything torn down.
    bool begin();
    QString problem() const { return problem_; }

signals:
    // The launcher has ended: 0 when the system accepted the run's result and
    // the end of the unit (in the "scorm" method: when both were handed to the
    // page as events, the report made), 1 otherwise.
    void finished(int status);
    // An event of the session to the launch page, as one line with its values:
    // "FinModule isStatut=completed isScore=13 isTime=00:01:02", "ExitAU".
    void pageEvent(const QString& line);

private:
    void fail(const QString& step);

    pelago::CommonData& data_;
    LaunchOptions options_;
    std::unique_ptr<pelago::clsManager> manager_;
    QString problem_;
    bool reported_ = false;
    bool finModuleHanded_ = false;
    bool exitAUHanded_ = false;
};

}  // namespace pelagoapp
