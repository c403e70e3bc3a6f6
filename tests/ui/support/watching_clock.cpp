#include "ui/support/watching_clock.h"

namespace norvane::uitest {

void WatchingClock::sleepMs(int ms)
{
    sleeps_.push_back(ms);
    if (beforeSleep)
        beforeSleep(ms);
    system_.sleepMs(ms);
}

} // namespace norvane::uitest
