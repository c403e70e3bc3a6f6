#include "sim/sim_clock.h"

namespace norvane::sim {

SimClock::SimClock(double speed) : speed_(speed > 0 ? speed : 1.0), start_(std::chrono::steady_clock::now())
{
}

double SimClock::now() const
{
    std::chrono::duration<double> real = std::chrono::steady_clock::now() - start_;
    return real.count() * speed_;
}

std::chrono::nanoseconds SimClock::realDuration(double simSeconds) const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::duration<double>(simSeconds / speed_));
}

} // namespace norvane::sim
