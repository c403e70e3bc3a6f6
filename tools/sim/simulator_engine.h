// One simulated receiver on one line: takes what the program wrote, answers it, and sends the
// sentences that are due, all paced at the line rate. Single-threaded; the Simulator drives it.
#pragma once

#include "sim/command_frames.h"
#include "sim/download_responder.h"
#include "sim/line_garbler.h"
#include "sim/line_pacer.h"
#include "sim/output_queue.h"
#include "sim/pseudo_terminal.h"
#include "sim/receiver_model.h"
#include "sim/simulator_options.h"

#include <cstdint>
#include <vector>

namespace norvane::sim {

struct SimulatorCounters;

class SimulatorEngine {
public:
    SimulatorEngine(const SimulatorOptions& options, ReceiverModel model, PseudoTerminal& line);

    // Power on at `now` (simulator seconds): the banners, then a burst every second.
    void powerOn(double now);
    // Everything due at `now`: poll the line rate, take input, queue a burst, send output.
    void step(double now);
    // When step() has work again, at the latest; the caller also wakes on input.
    double nextWake(double now) const;
    // Whether the line could carry another received byte now; without pacing always.
    bool wantsInput(double now) const;

    void fillCounters(SimulatorCounters& counters) const;
    char fixMode() const { return fixMode_; }
    int lineRate() const { return lineRate_; }
    const DownloadResponder& download() const { return download_; }

private:
    void takeInput(double now);
    void handleInput(const std::uint8_t* bytes, std::size_t n, double now);
    void feedDownload(const std::uint8_t* bytes, std::size_t n);
    void handleCommand(const Command& command, double now);
    void queueBurst(double now);
    void queueBurstOf(double at);
    void queueLines(const std::vector<std::string>& lines);
    void sendOutput(double now);

    SimulatorOptions options_;
    ReceiverModel model_;
    PseudoTerminal& line_;
    DownloadResponder download_;
    CommandFrameReader frames_;
    OutputQueue output_;
    LineGarbler garbler_;
    LinePacer sendPacer_, takePacer_;

    int lineRate_ = 0;
    double nextBurstAt_ = 0; // simulator seconds
    char fixMode_ = '3';
    std::uint64_t bytesSent_ = 0, bytesTaken_ = 0;
    int burstsSent_ = 0, framesAnswered_ = 0, framesRejected_ = 0;
};

} // namespace norvane::sim
