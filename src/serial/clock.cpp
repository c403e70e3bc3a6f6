#include "serial/clock.h"

#include <chrono>
#include <thread>

namespace norvane {

namespace {

std::int64_t realNowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Clock* installed = nullptr;

} // namespace

void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t SystemClock::nowMs()
{
    return realNowMs();
}

ScaledClock::ScaledClock(double speedup) : speedup_(speedup > 0 ? speedup : 1.0), startReal_(realNowMs()) {}

void ScaledClock::sleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(
            std::chrono::microseconds(static_cast<std::int64_t>(ms * 1000.0 / speedup_)));
}

std::int64_t ScaledClock::nowMs()
{
    return startReal_ + static_cast<std::int64_t>((realNowMs() - startReal_) * speedup_);
}

std::int64_t systemUtcMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

Clock& clock()
{
    static SystemClock system;
    return installed ? *installed : system;
}

void setClock(Clock* replacement)
{
    installed = replacement;
}

} // namespace norvane
