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

// The same of values in any order, which it reorders (a partial selection rather than a sort, so
// that a long series costs linear time).
std::optional<double> percentileOfUnsorted(std::vector<double>& values, double p);

} // namespace norvane
