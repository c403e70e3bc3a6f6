#pragma once

// A clock for window tests that talk to the simulator in real time: waits really pass (so the
// simulator's bytes arrive during them), every wait is recorded, and beforeSleep runs at the
// start of each one, while the handler that waits is still inside its work: the place to look
// at the window mid-scan.
//
//     norvane::uitest::WatchingClock clock;
//     norvane::ClockOverride use(clock);
//     clock.beforeSleep = [&](int ms) { if (ms == 700) seen << window.Memo1->toPlainText(); };
//
// For waits that should take no time at all use FakeClock from tests/support.

#include "serial/clock.h"

#include <functional>
#include <vector>

namespace norvane::uitest {

class WatchingClock : public Clock {
public:
    void sleepMs(int ms) override;
    std::int64_t nowMs() override { return system_.nowMs(); }

    const std::vector<int>& sleeps() const { return sleeps_; }
    std::function<void(int ms)> beforeSleep;

private:
    SystemClock system_;
    std::vector<int> sleeps_;
};

} // namespace norvane::uitest
