#include "ttff/headless_run.h"

#include "control/restart_commands.h"
#include "decode/quiet_receive_sink.h"
#include "decode/receive_loop.h"
#include "decode/receiver_state.h"
#include "serial/clock.h"
#include "serial/serial_link.h"

#include <cmath>
#include <ostream>

namespace norvane::ttff {

namespace {

// Between reads of the port: well under the tenth of a second a TTFF is given to.
constexpr int kPollMs = 10;
// A receiver that sends nothing for this long after the port opened is not there.
constexpr std::int64_t kFirstDataMs = 5000;

// The main window's part, without the window: restarts report through the lines they would add
// to the message log, and the display they clear does not exist.
class HeadlessHost : public RestartHost, public QuietReceiveSink {
public:
    HeadlessHost(Receiver& receiver, TtffLab& lab) : receiver_(receiver), lab_(lab) {}

    std::string lastLine;

    // RestartHost
    void setTimer1Enabled(bool) override {}
    void setColdButtonEnabled(bool) override {}
    void clearRestartDisplay() override {}
    // For the second family this stands for the window's reset; the satellite data and the TTFF
    // count go, as there.
    void resetMainWindow() override
    {
        receiver_.ttffTicks = 0;
        resetSatellites(receiver_.state);
    }

    // The restart commands and the receive loop report to one message log: the last line said.
    int memoLineCount() override { return 0; }
    void memoClear() override {}
    void memoAddLine(const std::string& line) override { lastLine = line; }
    void sentenceDecoded(const std::string& type, const std::string&) override
    {
        lab_.sentenceDecoded(type, receiver_.state);
    }

private:
    Receiver& receiver_;
    TtffLab& lab_;
};

class PrintingListener : public TtffLabListener {
public:
    PrintingListener(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void cycleFinished(const TtffRecord& record) override { out_ << cycleLine(record) << std::endl; }
    void csvFailed(const std::string& message) override
    {
        err_ << "norvane-ttff: " << message << std::endl;
        failed = true;
    }

    bool failed = false;

private:
    std::ostream& out_;
    std::ostream& err_;
};

class HeadlessRun {
public:
    HeadlessRun(const RunOptions& options, SerialLink& link, std::ostream& out, std::ostream& err,
                TtffLab::UtcClock utcClock, StopRequest stopRequested)
        : options_(options), link_(link), out_(out), err_(err), stopRequested_(std::move(stopRequested)),
          lab_(std::move(utcClock)), listener_(out, err)
    {
        receiver_.state.receiver_family = options.family;
        lab_.setListener(&listener_);
        if (options.limitSeconds)
            lab_.setLimitSeconds(options.start, *options.limitSeconds);
    }

    int run();

private:
    std::string portText() const { return options_.port + " at " + options_.rate + " baud"; }
    bool open();
    bool awaitReceiver();
    bool cycle(int number);
    bool pumpFor(std::int64_t ms);
    bool pumpOnce();
    bool interrupted();
    int finish();

    const RunOptions& options_;
    SerialLink& link_;
    std::ostream& out_;
    std::ostream& err_;
    StopRequest stopRequested_;
    Receiver receiver_;
    ReceiveBuffer buffer_{};
    TtffLab lab_;
    PrintingListener listener_;
    HeadlessHost host_{receiver_, lab_};
    ReceiveLoop loop_{link_, receiver_, buffer_, host_};
    RestartCommands commands_{link_, receiver_, host_};
    bool dataSeen_ = false;
    bool portLost_ = false;
    bool interrupted_ = false;
};

int HeadlessRun::run()
{
    if (!open())
        return kFailed;
    if (!awaitReceiver()) {
        if (interrupted_)
            return finish();
        link_.closePort();
        return kFailed;
    }
    std::string error;
    if (!lab_.startRun(error, options_.csvPath)) {
        err_ << "norvane-ttff: " << error << std::endl;
        link_.closePort();
        return kFailed;
    }
    for (int number = 1; number <= options_.cycles; ++number) {
        const bool last = number == options_.cycles;
        if (!cycle(number) || (!last && !pumpFor(static_cast<std::int64_t>(options_.waitSeconds * 1000))))
            break;
    }
    return finish();
}

bool HeadlessRun::open()
{
    bool opened = false;
    try {
        opened = link_.openLink(options_.port, options_.rate);
    } catch (const ConversionError& error) {
        err_ << "norvane-ttff: " << error.what() << std::endl;
        return false;
    }
    if (!opened)
        err_ << "norvane-ttff: cannot open " << portText() << std::endl;
    return opened;
}

// The restart frame of the first family carries the receiver's latest time and position, so
// the first restart waits for them: for the first sentences, then for a 3D fix within the
// cycle limit (without one the cycles start anyway and measure what they can).
bool HeadlessRun::awaitReceiver()
{
    const std::int64_t start = clock().nowMs();
    const std::int64_t limit = static_cast<std::int64_t>(lab_.limitSeconds(options_.start)) * 1000;
    while (receiver_.state.fix_mode != '3' && clock().nowMs() - start < limit) {
        if (!pumpOnce())
            break;
        if (!dataSeen_ && clock().nowMs() - start >= kFirstDataMs)
            break;
    }
    if (!dataSeen_ && !interrupted_)
        err_ << "norvane-ttff: no data from the receiver on " << portText() << std::endl;
    return dataSeen_ && !interrupted_;
}

bool HeadlessRun::cycle(int number)
{
    // A stop that came during the wait sends no restart it would not measure.
    if (interrupted())
        return false;
    switch (options_.start) {
    case RestartKind::Cold:
        commands_.cold();
        break;
    case RestartKind::Warm:
        commands_.warm();
        break;
    case RestartKind::Hot:
        commands_.hot();
        break;
    }
    lab_.restartWritten(options_.start, link_.lastWriteMs());
    // "Success." lines say nothing the cycle line does not; a failed restart is worth a word.
    const std::string& said = host_.lastLine;
    if (!said.empty() && said.find("Success") == std::string::npos)
        err_ << "norvane-ttff: cycle " << number << ": " << said << std::endl;
    host_.lastLine.clear();
    while (lab_.cycleOpen())
        if (!pumpOnce())
            return false;
    return true;
}

bool HeadlessRun::pumpFor(std::int64_t ms)
{
    const std::int64_t end = clock().nowMs() + ms;
    while (clock().nowMs() < end)
        if (!pumpOnce())
            return false;
    return true;
}

// One read of what the port holds, cut into sentences and measured; false when the port has
// gone away or the run is to stop.
bool HeadlessRun::pumpOnce()
{
    if (interrupted())
        return false;
    // As much as a window tick may take, so that a stall (a restart's acknowledgement wait)
    // never turns a fast receiver's fresh output into a discarded backlog.
    const int bytesRead = link_.readAvailable(buffer_, tickReadLimit(link_.lineRate()));
    loop_.processBytes(buffer_.data(), bytesRead);
    lab_.poll();
    if (bytesRead > 0) {
        dataSeen_ = true;
    } else if (!link_.queryQueued()) {
        err_ << "norvane-ttff: lost " << portText() << std::endl;
        portLost_ = true;
        return false;
    }
    clock().sleepMs(kPollMs);
    return true;
}

bool HeadlessRun::interrupted()
{
    if (!interrupted_ && stopRequested_ && stopRequested_()) {
        interrupted_ = true;
        err_ << "norvane-ttff: interrupted, cycles finished: " << lab_.records().size() << std::endl;
    }
    return interrupted_;
}

int HeadlessRun::finish()
{
    if (interrupted_)
        lab_.dropOpenCycle();
    lab_.endRun();
    link_.closePort();
    out_ << "\n"
         << summaryHeader() << "\n"
         << summaryLine(options_.start, lab_.summary(options_.start)) << "\n";
    if (!lab_.csvPath().empty() && !listener_.failed && !lab_.records().empty())
        out_ << "CSV: " << lab_.csvPath() << "\n";
    out_.flush();
    if (interrupted_)
        return kInterrupted;
    if (portLost_ || listener_.failed)
        return kFailed;
    return lab_.summary(options_.start).failures > 0 ? kTimedOut : kAllFixed;
}

} // namespace

int runHeadless(const RunOptions& options, SerialLink& link, std::ostream& out, std::ostream& err,
                TtffLab::UtcClock utcClock, StopRequest stopRequested)
{
    HeadlessRun run(options, link, out, err, std::move(utcClock), std::move(stopRequested));
    return run.run();
}

} // namespace norvane::ttff
