#include "text/percentile.h"

#include <algorithm>
#include <cmath>

namespace norvane {

PercentileRank percentileRank(std::size_t count, double p)
{
    if (count == 0)
        return {};
    const double rank = (static_cast<double>(count) - 1) * std::clamp(p, 0.0, 1.0);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    return {below, rank - static_cast<double>(below)};
}

namespace {

double interpolated(double lower, double upper, double fraction)
{
    return lower + fraction * (upper - lower);
}

} // namespace

std::optional<double> percentile(const std::vector<double>& ascending, double p)
{
    if (ascending.empty())
        return std::nullopt;
    const PercentileRank rank = percentileRank(ascending.size(), p);
    const std::size_t above = std::min(rank.below + 1, ascending.size() - 1);
    return interpolated(ascending[rank.below], ascending[above], rank.fraction);
}

std::optional<double> percentileOfUnsorted(std::vector<double>& values, double p)
{
    if (values.empty())
        return std::nullopt;
    const PercentileRank rank = percentileRank(values.size(), p);
    const auto lower = values.begin() + static_cast<std::ptrdiff_t>(rank.below);
    std::nth_element(values.begin(), lower, values.end());
    // Everything after the selected value is at least as large, so its smallest is x[floor h + 1].
    const double upper = lower + 1 == values.end() ? *lower : *std::min_element(lower + 1, values.end());
    return interpolated(*lower, upper, rank.fraction);
}

} // namespace norvane
