#pragma once

#include "decode/gnss_system.h"
#include "survey/average.h"
#include "survey/survey_report.h"
#include "view/shown_satellites.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace norvane {

// How strong a receiver hears, over a run: the C/N0 (the SNR of GSV, dB-Hz) of the satellites as
// the sky plot and the SNR chart show them, taken at each epoch (each GGA). An epoch's figures:
// - C/N0 mean: of the satellites with an L1-band C/N0 above 0;
// - top-4 C/N0: the mean of the four strongest of those (of all of them when fewer);
// - the same two of the L5 band, where the receiver reports it;
// - per system: satellites in view (shown), used, and its C/N0 mean as above.
// Over the run each figure is the mean over the epochs that have it. Epochs before the views
// first show a satellite do not count; after that, a system not shown counts 0 in view and used.
struct EpochSignal {
    std::optional<double> cn0Mean;
    std::optional<double> cn0Top4Mean;
    std::optional<double> cn0L5Mean;
    std::optional<double> cn0L5Top4Mean;
    std::array<int, kGnssSystemCount> inView = {};
    std::array<int, kGnssSystemCount> used = {};
    std::array<std::optional<double>, kGnssSystemCount> systemCn0Mean = {};
};

EpochSignal epochSignal(const SatelliteShowing& showing);

struct SystemSignal {
    double inViewMean = 0;
    double usedMean = 0;
    std::optional<double> cn0Mean;
};

struct SignalSummary {
    int epochs = 0; // those counted
    std::optional<double> cn0Mean;
    std::optional<double> cn0Top4Mean;
    std::optional<double> cn0L5Mean;
    std::optional<double> cn0L5Top4Mean;
    // The systems shown in any counted epoch.
    std::array<std::optional<SystemSignal>, kGnssSystemCount> systems = {};
};

// The means over a run. Adding an epoch is a few sums; the summary can be asked for at any time.
// Fed with shownSatellites(state) at each GGA: the window's SNR chart update has set the
// statuses of a one-talker receiver by then; without a window, markUsedSatellites(state) first.
class SignalFigures {
public:
    void addEpoch(const SatelliteShowing& showing);
    SignalSummary summary() const;

private:
    int epochs_ = 0;
    Average cn0_, cn0Top4_, cn0L5_, cn0L5Top4_;
    std::array<long long, kGnssSystemCount> inView_ = {};
    std::array<long long, kGnssSystemCount> used_ = {};
    std::array<Average, kGnssSystemCount> systemCn0_ = {};
    std::uint8_t systemsShown_ = 0;
};

// cn0_mean, cn0_top4_mean, cn0_l5_mean, cn0_l5_top4_mean, in dB-Hz with one decimal.
std::vector<Figure> signalFigureList(const SignalSummary& summary);

// The value of the JSON key "systems": {"G":{"in_view_mean":11.2,"used_mean":9.0,"cn0_mean":41.3},...}
// by system letter, in the views' order of systems; null for an unknown C/N0.
std::string systemsJson(const SignalSummary& summary);

// The summary's lines of the systems: "G  in view 11.2  used 9.0  C/N0 41.3 dB-Hz".
std::vector<std::string> systemSummaryLines(const SignalSummary& summary);

} // namespace norvane
