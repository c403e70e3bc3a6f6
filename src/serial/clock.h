#pragma once

#include <cstdint>
#include <memory>

namespace norvane {

// Every fixed wait and every deadline of the program goes through this seam, so that tests can
// run a scan, a restart test or a download in seconds. Production uses the system clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int ms) = 0;
    // Milliseconds on a clock that never runs backwards.
    virtual std::int64_t nowMs() = 0;
};

class SystemClock : public Clock {
public:
    void sleepMs(int ms) override;
    std::int64_t nowMs() override;
};

// Runs `speedup` times faster than real time: a wait of 700 ms sleeps 700 / speedup real
// milliseconds and the clock's time advances by the full 700.
class ScaledClock : public Clock {
public:
    explicit ScaledClock(double speedup);
    void sleepMs(int ms) override;
    std::int64_t nowMs() override;

private:
    double speedup_;
    std::int64_t startReal_;
};

// Milliseconds since 1970-01-01 00:00 UTC from the host's clock: the wall-clock time a run's
// files are named and stamped by, never a wait.
std::int64_t systemUtcMs();

// A clock `speed` times faster than real time when the environment variable `name` holds a
// positive number X (a command run against a simulated receiver started with --speed X);
// nothing when it is unset or not such a number.
std::unique_ptr<Clock> scaledClockFromEnvironment(const char* name);

// The clock every wait of the program uses; the system clock unless replaced.
Clock& clock();
// Replaces the program's clock; nullptr restores the system clock.
void setClock(Clock* replacement);

// Installs a clock for the lifetime of the object.
class ClockOverride {
public:
    explicit ClockOverride(Clock& replacement) { setClock(&replacement); }
    ~ClockOverride() { setClock(nullptr); }
    ClockOverride(const ClockOverride&) = delete;
    ClockOverride& operator=(const ClockOverride&) = delete;
};

} // namespace norvane
