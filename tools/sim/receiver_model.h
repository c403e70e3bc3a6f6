// The simulated receiver's behaviour without the line: what it sends each second, what it says
// when it starts, and how it answers the command frames.
#pragma once

#include "sim/command_frames.h"
#include "sim/constellations.h"
#include "sim/fix_timeline.h"
#include "sim/position_noise.h"
#include "sim/replay_source.h"
#include "sim/simulator_options.h"
#include "sim/sky_model.h"
#include "sim/utc_clock.h"

#include <optional>
#include <string>
#include <vector>

namespace norvane::sim {

struct CommandAnswer {
    std::string reply;      // bytes to send between two sentences; empty for none
    bool restarted = false; // the receiver rebooted: pending output is gone, banners follow
};

class ReceiverModel {
public:
    // `replay`, when given, replaces the generated sentences.
    ReceiverModel(const SimulatorOptions& options, UtcTime start, std::optional<ReplaySource> replay);

    // The banner lines, when the receiver prints them (never while replaying a recording, which
    // carries whatever the recorded receiver said).
    std::vector<std::string> startupLines() const;
    // The sentences of fix `slot` after the start, at the fix rate (at 1 Hz the slot is the
    // second): the whole burst at each whole second, GGA, GSA and RMC between them; while
    // replaying, the recording's next burst, whatever the slot.
    std::vector<std::string> burst(long slot);
    // A burst that goes unsent (a stalled line, a download): a recording moves past it.
    void skipBurst();
    // Seconds from the burst given last to the next: one fix at the fix rate, or a recording's
    // own pace.
    double secondsToNextBurst() const;
    CommandAnswer answer(const Command& command, double now);

    char fixModeAt(double now) const { return timeline_.fixModeAt(now); }
    int restarts() const { return restarts_; }

private:
    SimulatorOptions options_;
    UtcTime start_;
    std::optional<ReplaySource> replay_;
    SkyModel sky_;
    std::optional<Constellations> constellations_; // when more systems than GPS, or bands, are heard
    FixTimeline timeline_;
    std::optional<PositionNoise> noise_;
    int restarts_ = 0;
};

} // namespace norvane::sim
