#pragma once

#include "serial/clock.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace norvane {

// A clock for tests: waits take no real time. Install it with `ClockOverride`.
//
//   FakeClock fake;
//   ClockOverride use(fake);
//   fake.onSleep = [&](int ms) { port->pushIncoming("..."); };  // bytes arriving "during" a wait
//
// sleepMs(ms) advances the time by ms at once, records ms in sleeps(), calls onSleep and then
// what the program does while it waits (whileWaiting()), once.
// nowMs() returns the fake time; with autoAdvanceMs set, every nowMs() call first moves the time
// on by that much, so code that polls a deadline without sleeping still reaches it.
class FakeClock : public Clock {
public:
    explicit FakeClock(std::int64_t startMs = 0) : now_(startMs) {}

    void sleepMs(int ms) override;
    std::int64_t nowMs() override;

    void advance(std::int64_t ms) { now_ += ms; }
    const std::vector<int>& sleeps() const { return sleeps_; }
    std::int64_t totalSleptMs() const;

    std::function<void(int ms)> onSleep;
    std::int64_t autoAdvanceMs = 0;

private:
    std::int64_t now_;
    std::vector<int> sleeps_;
};

} // namespace norvane
