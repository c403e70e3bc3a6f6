// The simulator's own time. It never uses the program's clock seam: tests replace that one to
// hurry the program, and the receiver must keep its own pace regardless.
#pragma once

#include <chrono>

namespace norvane::sim {

class SimClock {
public:
    // `speed` > 1 runs the receiver's time that many times faster than real time.
    explicit SimClock(double speed);

    // Seconds of simulator time since construction.
    double now() const;
    // Real time that `simSeconds` of simulator time take.
    std::chrono::nanoseconds realDuration(double simSeconds) const;

private:
    double speed_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace norvane::sim
