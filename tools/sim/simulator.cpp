#include "sim/simulator.h"

#include "sim/pseudo_terminal.h"
#include "sim/replay_source.h"
#include "sim/sim_clock.h"
#include "sim/simulator_engine.h"
#include "sim/utc_clock.h"

#include <atomic>
#include <cmath>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace norvane::sim {

namespace {

// The thread looks at the line at least this often in real time, however slow the sim clock.
constexpr std::chrono::milliseconds kLongestSleep{10};

timespec toTimespec(std::chrono::nanoseconds d)
{
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(d);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>((d - seconds).count())};
}

} // namespace

struct Simulator::Impl {
    SimulatorOptions options;
    SimClock clock{1.0};
    PseudoTerminal line;
    std::optional<SimulatorEngine> engine;
    std::thread thread;
    int wakeRead = -1, wakeWrite = -1;
    bool started = false; // once only: a simulator is one power-on of one receiver
    std::atomic<bool> stopping{false};
    mutable std::mutex mutex; // guards engine, line and error
    std::string devicePath;
    std::string error;

    bool prepare();
    void run();
    void wait(std::chrono::nanoseconds timeout, bool watchLine);
    void end(bool removeDevice);
};

bool Simulator::Impl::prepare()
{
    std::optional<UtcTime> start =
        options.startTime.empty() ? currentUtcTime() : parseUtcTime(options.startTime);
    if (!start) {
        error = "not a start time (YYYY-MM-DD hh:mm:ss): " + options.startTime;
        return false;
    }
    if (options.talker.size() != 2) {
        error = "the talker must be two letters: " + options.talker;
        return false;
    }
    std::optional<ReplaySource> replay;
    if (!options.replayFile.empty()) {
        replay.emplace();
        if (!replay->loadFile(options.replayFile)) {
            error = "cannot replay " + options.replayFile + ": missing or empty";
            return false;
        }
    }
    if (!line.open(error, options.softwareFlowControl) ||
        (!options.linkPath.empty() && !line.link(options.linkPath, error))) {
        line.close();
        return false;
    }
    devicePath = line.slavePath();
    clock = SimClock(options.speed);
    engine.emplace(options, ReceiverModel(options, *start, std::move(replay)), line);
    return true;
}

void Simulator::Impl::run()
{
    {
        std::lock_guard lock(mutex);
        engine->powerOn(clock.now());
    }
    while (!stopping) {
        double now = clock.now();
        double wake;
        bool watchLine;
        {
            std::lock_guard lock(mutex);
            if (!line.isOpen())
                return;
            engine->step(now);
            wake = engine->nextWake(now);
            watchLine = engine->wantsInput(now);
        }
        wait(std::min<std::chrono::nanoseconds>(clock.realDuration(wake - now), kLongestSleep), watchLine);
    }
}

void Simulator::Impl::wait(std::chrono::nanoseconds timeout, bool watchLine)
{
    pollfd fds[2] = {{wakeRead, POLLIN, 0}, {line.masterFd(), POLLIN, 0}};
    timespec limit = toTimespec(timeout);
    // The master is watched only when a byte may be taken; otherwise input would wake the
    // thread again and again while pacing holds it back.
    ppoll(fds, watchLine ? 2 : 1, &limit, nullptr);
}

void Simulator::Impl::end(bool removeDevice)
{
    stopping = true;
    if (wakeWrite >= 0) {
        char byte = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wakeWrite, &byte, 1);
    }
    if (thread.joinable())
        thread.join();
    if (removeDevice) {
        std::lock_guard lock(mutex);
        line.close();
    }
}

Simulator::Simulator(SimulatorOptions options) : impl_(std::make_unique<Impl>())
{
    impl_->options = std::move(options);
}

Simulator::~Simulator()
{
    stop();
    if (impl_->wakeRead >= 0) {
        close(impl_->wakeRead);
        close(impl_->wakeWrite);
    }
}

bool Simulator::start()
{
    if (impl_->started) {
        impl_->error = "already started";
        return false;
    }
    impl_->started = true;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        impl_->error = "cannot make the wake-up pipe";
        return false;
    }
    impl_->wakeRead = fds[0];
    impl_->wakeWrite = fds[1];
    if (!impl_->prepare())
        return false;
    impl_->stopping = false;
    impl_->thread = std::thread([this] { impl_->run(); });
    return true;
}

void Simulator::stop()
{
    impl_->end(true);
}

void Simulator::unplug()
{
    // Same as stopping, seen from the program: the master goes, and with it the device.
    impl_->end(true);
}

std::string Simulator::devicePath() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->devicePath;
}

std::string Simulator::lastError() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->error;
}

int Simulator::restartsSeen() const
{
    return counters().restarts;
}

char Simulator::fixMode() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->engine ? impl_->engine->fixMode() : '3';
}

int Simulator::lineRate() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->engine ? impl_->engine->lineRate() : 0;
}

bool Simulator::downloadActive() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->engine && impl_->engine->download().active();
}

SimulatorCounters Simulator::counters() const
{
    std::lock_guard lock(impl_->mutex);
    SimulatorCounters counters;
    counters.simSeconds = impl_->clock.now();
    if (impl_->engine)
        impl_->engine->fillCounters(counters);
    return counters;
}

std::vector<std::uint8_t> Simulator::receivedImage() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->engine ? impl_->engine->download().image() : std::vector<std::uint8_t>{};
}

bool Simulator::downloadFinished() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->engine && impl_->engine->download().finished();
}

} // namespace norvane::sim
