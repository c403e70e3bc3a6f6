// How the simulated receiver's fix comes back after a restart: no fix while it searches for a
// time that depends on how much it kept (cold, warm, hot), then briefly 2D, then 3D.
#pragma once

#include "sim/reacquisition_time.h"

#include <random>

namespace norvane::sim {

enum class RestartKind { Hot, Warm, Cold };

struct ReacquisitionTimes {
    double cold = 30, warm = 20, hot = 3; // seconds of searching, before the spread
    // Standard deviations of the searching times; kNominalSpread: a tenth either way.
    double coldSpread = kNominalSpread, warmSpread = kNominalSpread, hotSpread = kNominalSpread;
};

class FixTimeline {
public:
    FixTimeline(ReacquisitionTimes times, unsigned seed);

    // The receiver restarts at `now` (seconds on the simulator's clock).
    void restart(RestartKind kind, double now);
    // '1' no fix, '2' 2D, '3' 3D, as GSA carries it. '3' until the first restart.
    char fixModeAt(double now) const;
    // Searching time drawn for the latest restart, spread included.
    double searchSeconds() const { return searchSeconds_; }

    // How long the fix stays 2D before the receiver has the altitude as well.
    static constexpr double kTwoDimensionalSeconds = 1.0;

private:
    ReacquisitionTimes times_;
    std::mt19937 random_;
    bool restarted_ = false;
    double restartAt_ = 0;
    double searchSeconds_ = 0;
};

} // namespace norvane::sim
