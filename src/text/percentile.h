#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace norvane {

// Every percentile the program gives (TTFF seconds, survey radii and heights) follows one rule:
// linear interpolation between the closest ranks. For p (0..1) of n values in ascending order,
// rank h = (n - 1) * p counted from 0, value = x[floor h] + (h - floor h) * (x[floor h + 1] -
// x[floor h]). This is the method spreadsheets call PERCENTILE.INC; the median is p = 0.5.
struct PercentileRank {
    std::size_t below = 0; // floor h
    double fraction = 0;   // h - floor h
};
PercentileRank percentileRank(std::size_t count, double p);

// Of ascending values; absent for no values.
std::optional<double> percentile(const std::vector<double>& ascending, double p);

// Several percentiles of values in any order at once (which it reorders: a partial selection
// rather than a sort, so that a long series costs linear time), for p in ascending order: each selection
// works only on the values above the one before, so three cost little more than one. The
// percentiles are of shown(value), where shown keeps the values' order: the survey selects among
// squared radii, which need no root, and takes the percentiles of the radii. Empty for no values.
std::vector<double> percentilesOfUnsorted(std::vector<double>& values, const std::vector<double>& ascendingPs,
                                          double (*shown)(double) = nullptr);

// The same percentiles of a long series taken again and again while it changes little (the
// survey's radii once a second over a day of fixes): the values selected last time bound where
// this time's lie, so one pass counts the values below each bound and keeps the few between,
// and only those few are selected among. Where a value has moved out of its bounds, or the
// first time, the whole series is selected as percentilesOfUnsorted does; the results are the
// same either way.
class RepeatedPercentiles {
public:
    RepeatedPercentiles(std::vector<double> ascendingPs, double (*shown)(double) = nullptr);

    std::vector<double> of(std::vector<double>& values);

private:
    struct Bounds {
        double low = 0, high = 0;
        std::size_t below = 0;          // values under low
        std::vector<double> between;    // values from low to high
    };
    bool narrowed(const std::vector<double>& values);

    std::vector<double> ps_;
    double (*shown_)(double);
    std::vector<Bounds> bounds_; // one per p, once a first selection has set them
};

} // namespace norvane
