#include "serial/clock.h"

#include <algorithm>
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
std::function<void()> waitActivity;

// The wait is slept in slices with the activity between them, to a deadline, so that the
// activity's own time does not lengthen the wait.
constexpr std::chrono::milliseconds kWaitSlice{10};

void sleepWhileWaiting(std::chrono::microseconds wait)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + wait;
    for (auto left = wait; left.count() > 0;
         left = duration_cast<microseconds>(deadline - steady_clock::now())) {
        std::this_thread::sleep_for(std::min<microseconds>(left, kWaitSlice));
        whileWaiting();
    }
}

} // namespace

void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        sleepWhileWaiting(std::chrono::milliseconds(ms));
}

std::int64_t SystemClock::nowMs()
{
    return realNowMs();
}

ScaledClock::ScaledClock(double speedup) : speedup_(speedup > 0 ? speedup : 1.0), startReal_(realNowMs()) {}

void ScaledClock::sleepMs(int ms)
{
    if (ms > 0)
        sleepWhileWaiting(std::chrono::microseconds(static_cast<std::int64_t>(ms * 1000.0 / speedup_)));
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

std::function<void()> setWhileWaiting(std::function<void()> activity)
{
    std::swap(waitActivity, activity);
    return activity;
}

void whileWaiting()
{
    if (waitActivity)
        waitActivity();
}

} // namespace norvane
