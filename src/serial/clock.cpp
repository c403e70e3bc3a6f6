#include "serial/clock.h"

#include <chrono>
#include <cstdlib>
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

std::unique_ptr<Clock> scaledClockFromEnvironment(const char* name)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return nullptr;
    char* end = nullptr;
    const double speed = std::strtod(text, &end);
    if (*end != '\0' || !(speed > 0))
        return nullptr;
    return std::make_unique<ScaledClock>(speed);
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
