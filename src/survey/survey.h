#pragma once

#include "survey/average.h"
#include "survey/geodesy.h"
#include "survey/survey_epoch.h"
#include "survey/survey_figures.h"
#include "text/percentile.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace norvane {

// A fix as the scatter and the error-over-time plots draw it.
struct SurveyPoint {
    double utcSeconds = 0; // since midnight UTC of the run's first epoch, counting on past midnight
    double east = 0, north = 0, up = 0; // metres about the reference
    bool hasHeight = true;              // false: up is meaningless (an RMC fix)
};

// One epoch as the survey took it: what the CSV row holds.
struct SurveyRow {
    SurveyEpoch epoch;
    std::optional<Enu> offset; // for a fix: about the reference in force when it was taken
};

// The survey of one receiver over one run: takes the position sentences, keeps every fix, and
// computes the accuracy figures. Adding an epoch costs a few microseconds whatever the run's
// length; the percentiles, which need every fix, are recomputed by refresh(), at most once a
// second when called through refreshIfDue(). Single-threaded, free of any clock: callers pass
// their time in.
class Survey {
public:
    static constexpr std::int64_t kRefreshIntervalMs = 1000;

    // A decoded sentence of any type (the receive loop's type, "GGA", "GST", ...); the rows of
    // the epochs it completes (none, one, or two when a waiting RMC or GNS epoch is settled),
    // valid until the next sentence (kept for its room: a survey of a long recording takes
    // millions of sentences).
    const std::vector<SurveyRow>& sentenceDecoded(std::string_view type, std::string_view sentence);
    // At the end of a run: the row of an epoch still waiting to be settled, if any.
    std::optional<SurveyRow> finish();
    SurveyRow addEpoch(const SurveyEpoch& epoch);

    // The reference the figures and rows are measured against. A change takes effect for the
    // next rows at once and for the figures at the next refresh.
    void useMeanReference();
    void useFixedReference(const Geodetic& reference);
    // "Use mean as reference": the current mean becomes the fixed reference; nothing without a fix.
    std::optional<Geodetic> freezeMean();
    ReferenceMode referenceMode() const { return mode_; }
    // The reference now: the fixed point, or the mean of the fixes so far (none before the first).
    std::optional<Geodetic> reference() const;

    // Recomputes the figures and the points' frame when an epoch came or the reference changed
    // since the last refresh and at least kRefreshIntervalMs have passed; true when it did.
    bool refreshIfDue(std::int64_t nowMs);
    void refresh();
    const SurveyFigures& figures() const { return figures_; }

    // The fixes from `first` on, about the reference of the last refresh (figures().reference).
    std::vector<SurveyPoint> points(std::size_t first = 0) const;
    std::size_t fixCount() const { return fixes_.size(); }
    int epochCount() const { return epochs_; }

private:
    // The fixes kept compactly: each one's offset from the run's first fix, Earth-centred, to well
    // under a millimetre for any scatter a receiver standing still produces. One array per
    // coordinate, so that the refresh's loop over a day of fixes runs in vector instructions.
    struct StoredFixes {
        std::vector<float> dx, dy, dz;
        std::vector<float> utcSeconds; // since the first epoch's midnight
        std::vector<bool> hasHeight;
        std::size_t size() const { return dx.size(); }
        bool empty() const { return dx.empty(); }
    };
    // Mean and co-moments of the Earth-centred offsets, updated per fix (Welford's way).
    struct Moments {
        double n = 0;
        std::array<double, 3> mean{};
        std::array<double, 6> comoment{}; // xx, yy, zz, xy, xz, yz
        void add(const std::array<double, 3>& value);
    };

    Ecef ecefOf(std::size_t fix) const;
    std::optional<LocalFrame> currentFrame() const;
    Enu rowOffset(const Ecef& fix);
    double continuousUtcSeconds(std::int64_t msOfDay);
    void computeMoments(SurveyFigures& figures, const LocalFrame& frame) const;
    void computePercentiles(SurveyFigures& figures, const LocalFrame& frame);

    ReferenceMode mode_ = ReferenceMode::Mean;
    Geodetic fixedReference_;
    EpochSelector selector_;
    std::vector<SurveyRow> completed_; // of the last sentence
    int epochs_ = 0;
    std::optional<Ecef> origin_; // the first fix
    StoredFixes fixes_;
    int fixesWithoutHeight_ = 0;
    Moments moments_;
    Average hdop_, satsUsed_, gstLatitude_, gstLongitude_, gstAltitude_;
    std::optional<std::int64_t> lastMsOfDay_;
    std::int64_t dayOffsetMs_ = 0;
    std::optional<double> firstFixUtc_, lastFixUtc_;
    std::optional<double> lastKnownHeight_;
    // The frame the rows are measured in: about the mean its rotation is turned anew only once
    // the mean has moved a metre (a change of 1e-7 radians, a micrometre at ten metres), while
    // the offsets are always taken from the mean of the moment.
    std::optional<LocalFrame> rowFrame_;

    bool changed_ = false; // since the last refresh
    std::optional<std::int64_t> lastRefreshMs_;
    SurveyFigures figures_;
    std::optional<LocalFrame> figuresFrame_;
    // Radii are ranked by their squares; only the few selected get a root. The largest is the
    // 100th percentile.
    RepeatedPercentiles radii_{{0.5, 0.95, 0.99, 1.0}, [](double square) { return std::sqrt(square); }};
    RepeatedPercentiles heights_{{0.5, 0.95}};
};

} // namespace norvane
