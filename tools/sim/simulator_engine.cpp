#include "sim/simulator_engine.h"

#include "sim/line_rate.h"
#include "sim/simulator.h"

#include <algorithm>
#include <cmath>

namespace norvane::sim {

namespace {

// Largest single read from the line; a pseudo-terminal hands over at most about this much.
constexpr std::size_t kReadChunk = 4096;
// A receiver whose line is too slow for its output drops sentences rather than queue them for
// ever; it keeps at most this many seconds of line time waiting.
constexpr double kLongestBacklogSeconds = 2.0;
// The line rate is polled at least this often (real seconds).
constexpr double kRatePollSeconds = 0.01;
// How late (real seconds) the thread may wake without the line losing time: the bytes it could
// have carried meanwhile go out at once.
constexpr double kWakeSlackSeconds = 0.02;
// How far back (simulator seconds) a late wake still sends the bursts it missed.
constexpr double kLongestCatchUp = 5;
// A paced line is served in batches of at least this much real time rather than byte by byte,
// which would wake the thread ten thousand times a second at 115200.
constexpr double kBatchSeconds = 0.001;

} // namespace

SimulatorEngine::SimulatorEngine(const SimulatorOptions& options, ReceiverModel model, PseudoTerminal& line)
    : options_(options), model_(std::move(model)), line_(line), download_(options.download),
      sendPacer_(kWakeSlackSeconds * options.speed), takePacer_(kWakeSlackSeconds * options.speed)
{
}

void SimulatorEngine::powerOn(double now)
{
    lineRate_ = slaveLineRate(line_.masterFd());
    queueLines(model_.startupLines());
    nextBurstAt_ = std::floor(now * options_.fixRate) / options_.fixRate;
}

void SimulatorEngine::step(double now)
{
    if (!line_.isOpen())
        return;
    int previousRate = lineRate_;
    lineRate_ = slaveLineRate(line_.masterFd());
    // A receiver is switched on when the program connects to it: whenever the line comes to the
    // receiver's own rate, it prints its banners again, so a fresh connection identifies it.
    if (lineRate_ != previousRate && lineRate_ == options_.rate && !download_.active())
        queueLines(model_.startupLines());
    takeInput(now);
    queueBurst(now);
    sendOutput(now);
}

double SimulatorEngine::nextWake(double now) const
{
    double wake = std::min(nextBurstAt_, now + kRatePollSeconds * options_.speed);
    if (!output_.empty() && !options_.pacing)
        return now;
    double batch = now + kBatchSeconds * options_.speed;
    if (!output_.empty())
        wake = std::min(wake, std::max(batch, sendPacer_.nextByteAt(now, output_.currentRate())));
    if (options_.pacing && !wantsInput(now))
        wake = std::min(wake, std::max(batch, takePacer_.nextByteAt(now, lineRate_)));
    return std::max(wake, now);
}

bool SimulatorEngine::wantsInput(double now) const
{
    return !options_.pacing || takePacer_.allowance(now, lineRate_) > 0;
}

void SimulatorEngine::fillCounters(SimulatorCounters& counters) const
{
    counters.bytesSent = bytesSent_;
    counters.bytesTaken = bytesTaken_;
    counters.burstsSent = burstsSent_;
    counters.framesAnswered = framesAnswered_;
    counters.framesRejected = framesRejected_;
    counters.restarts = model_.restarts();
}

void SimulatorEngine::takeInput(double now)
{
    std::size_t room =
        options_.pacing ? std::min(takePacer_.allowance(now, lineRate_), kReadChunk) : kReadChunk;
    if (room == 0)
        return;
    std::uint8_t bytes[kReadChunk];
    long n = line_.read(bytes, room);
    if (n <= 0)
        return;
    if (options_.pacing)
        takePacer_.spend(static_cast<std::size_t>(n), now, lineRate_);
    bytesTaken_ += static_cast<std::uint64_t>(n);
    handleInput(bytes, static_cast<std::size_t>(n), now);
}

void SimulatorEngine::handleInput(const std::uint8_t* bytes, std::size_t n, double now)
{
    bool atOwnRate = lineRate_ == options_.rate;
    bool wasDownloading = download_.active();
    // The boot program hears the tool only at the receiver's rate; the running loader decides
    // for itself what it hears at its own.
    if (atOwnRate || download_.atDownloadRate())
        feedDownload(bytes, n);
    if (!atOwnRate || wasDownloading || download_.active())
        return;
    for (std::size_t i = 0; i < n; ++i)
        if (auto command = frames_.feed(bytes[i]))
            handleCommand(*command, now);
}

void SimulatorEngine::feedDownload(const std::uint8_t* bytes, std::size_t n)
{
    bool wasActive = download_.active();
    // Each reply goes out at the rate the tool was listening at when it asked.
    int replyRate = download_.atDownloadRate() ? kDownloadRate : options_.rate;
    std::string replies = download_.feed(bytes, n, lineRate_);
    if (!wasActive && download_.active())
        output_.dropWaiting(); // the boot program takes over: no more sentences
    output_.pushNext({replies, replyRate});
    if (wasActive && !download_.active())
        queueLines(model_.startupLines()); // the new firmware starts up
}

void SimulatorEngine::handleCommand(const Command& command, double now)
{
    if (command.kind == CommandKind::Rejected) {
        ++framesRejected_;
        return;
    }
    if (!options_.answerFrames)
        return;
    ++framesAnswered_;
    CommandAnswer answer = model_.answer(command, now);
    if (answer.restarted)
        output_.dropWaiting();
    output_.pushNext({answer.reply, options_.rate});
    if (answer.restarted)
        queueLines(model_.startupLines());
}

void SimulatorEngine::queueBurst(double now)
{
    // A thread that wakes late still sends the bursts it slept through, as a receiver would
    // have; only a stall of many seconds (a suspended machine) leaves a gap.
    for (; nextBurstAt_ <= now; nextBurstAt_ += model_.secondsToNextBurst()) {
        if (now - nextBurstAt_ < kLongestCatchUp)
            queueBurstOf(nextBurstAt_);
        else
            model_.skipBurst();
    }
}

void SimulatorEngine::queueBurstOf(double at)
{
    double backlog = static_cast<double>(output_.pendingBytes()) * LinePacer::byteSeconds(options_.rate);
    if (download_.active() || (options_.pacing && backlog > kLongestBacklogSeconds)) {
        model_.skipBurst();
        return;
    }
    // Bursts come every 1 / fix rate seconds; the slot numbers them at that rate.
    queueLines(model_.burst(std::lround(at * options_.fixRate)));
    fixMode_ = model_.fixModeAt(at);
    ++burstsSent_;
}

void SimulatorEngine::queueLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        output_.push({line, options_.rate});
}

void SimulatorEngine::sendOutput(double now)
{
    while (!output_.empty()) {
        int rate = output_.currentRate();
        std::size_t room = options_.pacing ? sendPacer_.allowance(now, rate) : output_.pendingBytes();
        if (room == 0)
            return;
        std::string chunk = output_.take(room);
        if (options_.pacing)
            sendPacer_.spend(chunk.size(), now, rate);
        line_.write(rate == lineRate_ ? chunk : garbler_.garble(chunk));
        bytesSent_ += chunk.size();
    }
}

} // namespace norvane::sim
