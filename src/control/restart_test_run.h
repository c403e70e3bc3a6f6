#pragma once

#include "control/restart_kind.h"
#include "control/restart_test_host.h"
#include "control/restart_test_panel.h"

#include <array>

namespace norvane {

// Told of every run the test starts and every restart it issues, so that each cycle can be
// measured beside the test's own count in ticks.
class RestartCycleObserver {
public:
    virtual ~RestartCycleObserver() = default;
    virtual void runStarted() = 0;
    virtual void restartIssued(RestartKind kind) = 0;
};

// The repeated restart test: single runs of one kind, automatic runs through the checked kinds,
// and the tick step the receive loop calls once per tick. It has no timer of its own and no
// state flags: which run is going on is read from the panel's buttons every time.
class RestartTest {
public:
    explicit RestartTest(RestartTestPanel& panel) : panel_(panel) {}

    // The main window; until it is set, starts issue no restart and the tick step does nothing.
    void setHost(RestartTestHost* host) { host_ = host; }
    void setCycleObserver(RestartCycleObserver* observer) { observer_ = observer; }

    // The four buttons visible and enabled (or hidden and disabled), the message cleared.
    void resetButtons(bool on);
    void startSingleRun(RestartKind kind);
    void startAutoRun();
    void tickStep(int bytesRead);

    int cycleCount() const { return cycleCount_; }
    int completedCycles() const { return completedCycles_; }
    int waitTime() const { return waitTime_; }
    int total(RestartKind kind) const { return totals_[kindIndex(kind)]; }

private:
    bool modeOn() const { return host_ && host_->testModeOn(); }
    bool fixIs3d() const { return host_->fixMode() == '3'; }
    int ttffReached() const;
    void readRunValues();

    void showLiveCounts();
    void singleRunTick(RestartKind kind);
    void autoRunTick(RestartKind kind);
    bool waitAfterFixEnds();
    void continueCycles(RestartKind kind, const std::string& message);
    void finishRun(RestartKind kind);

    void startPhase(RestartKind kind, const std::string& message);
    void startNextPhase(RestartKind finished);
    void startOver();
    bool firstCheckedFrom(int orderIndex, RestartKind& kind);
    void restart(RestartKind kind);
    void runStarted();

    RestartTestPanel& panel_;
    RestartTestHost* host_ = nullptr;
    RestartCycleObserver* observer_ = nullptr;
    int cycleCount_ = 0;
    int completedCycles_ = 0;
    int waitTime_ = 0;
    std::array<int, 3> totals_{}; // cold, warm, hot; a finished run leaves ten times its average
};

} // namespace norvane
