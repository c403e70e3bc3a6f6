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

namespace {

// Puts the values of ascending ranks in their sorted places one after the other. Each selection
// partitions only what lies above the rank selected before: ranks asked for in ascending order
// never need what lies below.
class RankSelection {
public:
    explicit RankSelection(std::vector<double>& values) : values_(values) {}

    double at(std::size_t rank)
    {
        rank = std::min(rank, values_.size() - 1);
        if (rank >= unsorted_) {
            const auto begin = values_.begin();
            std::nth_element(begin + static_cast<std::ptrdiff_t>(unsorted_),
                             begin + static_cast<std::ptrdiff_t>(rank), values_.end());
            unsorted_ = rank + 1;
        }
        return values_[rank];
    }

private:
    std::vector<double>& values_;
    std::size_t unsorted_ = 0; // the ranks from here on are not yet in their places
};

} // namespace

std::vector<double> percentilesOfUnsorted(std::vector<double>& values, const std::vector<double>& ascendingPs,
                                          double (*shown)(double))
{
    return RepeatedPercentiles(ascendingPs, shown).of(values);
}

namespace {

// Room kept around last time's values: the series drifts by far less between two selections.
constexpr double kBoundsMargin = 0.01;

} // namespace

RepeatedPercentiles::RepeatedPercentiles(std::vector<double> ascendingPs, double (*shown)(double))
    : ps_(std::move(ascendingPs)), shown_(shown)
{
}

std::vector<double> RepeatedPercentiles::of(std::vector<double>& values)
{
    if (values.empty())
        return {};
    const bool narrow = narrowed(values);
    if (!narrow)
        bounds_.assign(ps_.size(), Bounds{});
    RankSelection whole(values);
    std::vector<double> found;
    for (std::size_t i = 0; i < ps_.size(); ++i) {
        const PercentileRank rank = percentileRank(values.size(), ps_[i]);
        Bounds& b = bounds_[i];
        RankSelection among(b.between);
        const auto select = [&](std::size_t r) { return narrow ? among.at(r - b.below) : whole.at(r); };
        const double low = select(rank.below);
        const double high = select(std::min(rank.below + 1, values.size() - 1));
        const double shownLow = shown_ ? shown_(low) : low;
        const double shownHigh = shown_ ? shown_(high) : high;
        found.push_back(interpolated(shownLow, shownHigh, rank.fraction));
        // Next time's bounds about this time's values.
        const double margin = kBoundsMargin * std::max(std::fabs(low), std::fabs(high)) + (high - low);
        b.low = low - margin;
        b.high = high + margin;
    }
    return found;
}

// Counts and gathers against last time's bounds; false when a rank asked for is not among the
// values gathered.
bool RepeatedPercentiles::narrowed(const std::vector<double>& values)
{
    if (bounds_.size() != ps_.size())
        return false;
    for (Bounds& b : bounds_) {
        b.below = 0;
        b.between.clear();
    }
    // The hot loop of a refresh over a day of fixes: each bound in turn over the whole series,
    // counted without a branch; the few values between two bounds are the only ones kept.
    for (Bounds& b : bounds_) {
        const double low = b.low, high = b.high;
        std::size_t below = 0;
        for (const double v : values) {
            below += v < low;
            if (v >= low && v <= high) [[unlikely]]
                b.between.push_back(v);
        }
        b.below = below;
    }
    for (std::size_t i = 0; i < ps_.size(); ++i) {
        const PercentileRank rank = percentileRank(values.size(), ps_[i]);
        const std::size_t upper = std::min(rank.below + 1, values.size() - 1);
        const Bounds& b = bounds_[i];
        if (rank.below < b.below || upper >= b.below + b.between.size())
            return false;
    }
    return true;
}

} // namespace norvane
