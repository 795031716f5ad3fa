#pragma once

#include "platform/Timer.h"

#include <QObject>
#include <QString>

#include <memory>

namespace pelago {

class CommonData;

// The launcher's hidden form: its four timers drive the end of a run and the
// end of the process. The transport's retry timer runs only while a check
// waits for it; the two 100 ms timers wait for the delays after the result
// report and after the exit step; the idle timer looks every 5 seconds whether
// the launcher has been ready and idle for longer than the keep-alive delay.
// Loading the form starts the idle timer.
class frmInet : public QObject {
    Q_OBJECT

public:
    explicit frmInet(CommonData& data);
    ~frmInet() override;
    frmInet(const frmInet&) = delete;
    frmInet& operator=(const frmInet&) = delete;

    platform::Timer& TimerVerifRorova() { return *timerVerifRorova_; }
    platform::Timer& timerExitAU() { return *timerExitAU_; }
    platform::Timer& timerVisibility() { return *timerVisibility_; }
    platform::Timer& TimerPersist() { return *timerPersist_; }

    // Set by each tick of the retry timer; the waiting check clears it.
    bool timerFlag = false;

    static constexpr std::chrono::milliseconds stepInterval{100};
    static constexpr std::chrono::milliseconds persistInterval{5000};

private:
    void onExitAU();
    void onVisibility();
    void onPersist();
    void traceTick(const QString& procedure, std::chrono::milliseconds start, std::chrono::milliseconds delay);

    CommonData& data_;
    std::unique_ptr<platform::Timer> timerVerifRorova_;
    std::unique_ptr<platform::Timer> timerExitAU_;
    std::unique_ptr<platform::Timer> timerVisibility_;
    std::unique_ptr<platform::Timer> timerPersist_;
};

}  // namespace pelago
