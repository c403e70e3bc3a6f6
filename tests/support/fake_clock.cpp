#include "support/fake_clock.h"

#include <numeric>

namespace norvane {

void FakeClock::sleepMs(int ms)
{
    sleeps_.push_back(ms);
    if (ms > 0)
        now_ += ms;
    if (onSleep)
        onSleep(ms);
    whileWaiting();
}

std::int64_t FakeClock::nowMs()
{
    now_ += autoAdvanceMs;
    return now_;
}

std::int64_t FakeClock::totalSleptMs() const
{
    return std::accumulate(sleeps_.begin(), sleeps_.end(), std::int64_t{0});
}

} // namespace norvane
