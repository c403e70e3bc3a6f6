#include "text/percentile.h"

#include "text/vector_blocks.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

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

// Room kept around last time's values: the series drifts by far less between two selections, and
// the fewer values lie between the bounds, the fewer blocks are looked through twice.
constexpr double kBoundsMargin = 0.002;

// A value's place in the order as a 32-bit integer: the bits of its nearest float, those of the
// negative ones turned about, so that the integers grow as the values do. Rounding to a float
// never swaps two values, so every value whose key is under a key lies below every value whose key
// is not: counting keys splits a series exactly where comparing the doubles would, and a vector
// instruction compares four keys where it compares two doubles.
std::int32_t orderKey(double value)
{
    const auto bits = std::bit_cast<std::int32_t>(static_cast<float>(value));
    return bits ^ ((bits >> 31) & 0x7fffffff);
}

// The counts below are loops a block long that the compiler turns into vector instructions;
// counts are integers, whose sums it may take in any order.
template <class Count> void keysOf(const double* values, Count count, std::int32_t* keys)
{
    for (std::size_t i = 0; i < count; ++i)
        keys[i] = orderKey(values[i]);
}

// How many keys lie under `low`, and how many up to `high`.
struct KeyCounts {
    std::int32_t under = 0, upTo = 0;
};

template <class Count>
KeyCounts countKeys(const std::int32_t* keys, Count count, std::int32_t low, std::int32_t high)
{
    std::int32_t under = 0, upTo = 0;
    for (std::size_t i = 0; i < count; ++i) {
        under += keys[i] < low;
        upTo += keys[i] <= high;
    }
    return {under, upTo};
}

} // namespace

RepeatedPercentiles::RepeatedPercentiles(std::vector<double> ascendingPs, double (*shown)(double))
    : ps_(std::move(ascendingPs)), shown_(shown)
{
}

std::vector<double> RepeatedPercentiles::of(std::vector<double>& values)
{
    if (values.empty())
        return {};
    startPass();
    forEachBlock(values.size(),
                 [&](std::size_t start, auto count) { countBlock(values.data() + start, count); });
    return selected(values.size(), countsHold(values.size()) ? nullptr : &values);
}

std::vector<double> RepeatedPercentiles::selected(std::size_t size, std::vector<double>* whole)
{
    if (whole)
        bounds_.assign(ps_.size(), Bounds{});
    std::optional<RankSelection> all;
    if (whole)
        all.emplace(*whole);
    std::vector<double> found;
    for (std::size_t i = 0; i < ps_.size(); ++i) {
        const PercentileRank rank = percentileRank(size, ps_[i]);
        Bounds& b = bounds_[i];
        RankSelection among(b.between);
        const auto select = [&](std::size_t r) { return all ? all->at(r) : among.at(r - b.below); };
        const double low = select(rank.below);
        const double high = select(std::min(rank.below + 1, size - 1));
        const double shownLow = shown_ ? shown_(low) : low;
        const double shownHigh = shown_ ? shown_(high) : high;
        found.push_back(interpolated(shownLow, shownHigh, rank.fraction));
        // Next time's bounds about this time's values.
        const double margin = kBoundsMargin * std::max(std::fabs(low), std::fabs(high)) + (high - low);
        b.low = orderKey(low - margin);
        b.high = orderKey(high + margin);
    }
    return found;
}

void RepeatedPercentiles::startPass()
{
    counting_ = bounds_.size() == ps_.size();
    for (Bounds& b : bounds_) {
        b.below = 0;
        b.between.clear();
    }
}

// The hot loop of a refresh over a day of fixes: the values under each bound and up to it are
// counted without a branch; only the rare block that holds values between a bound's ends is
// looked through again to keep them.
template <class Count> void RepeatedPercentiles::countBlock(const double* block, Count count)
{
    if (!counting_)
        return;
    std::int32_t keys[kVectorBlock];
    keysOf(block, count, keys);
    for (Bounds& b : bounds_) {
        const KeyCounts counts = countKeys(keys, count, b.low, b.high);
        b.below += static_cast<std::size_t>(counts.under);
        if (counts.upTo != counts.under) [[unlikely]] {
            for (std::size_t i = 0; i < count; ++i)
                if (keys[i] >= b.low && keys[i] <= b.high)
                    b.between.push_back(block[i]);
        }
    }
}

template void RepeatedPercentiles::countBlock(const double* block, WholeBlock count);
template void RepeatedPercentiles::countBlock(const double* block, std::size_t count);

bool RepeatedPercentiles::countsHold(std::size_t size) const
{
    if (!counting_)
        return false;
    for (std::size_t i = 0; i < ps_.size(); ++i) {
        const PercentileRank rank = percentileRank(size, ps_[i]);
        const std::size_t upper = std::min(rank.below + 1, size - 1);
        const Bounds& b = bounds_[i];
        if (rank.below < b.below || upper >= b.below + b.between.size())
            return false;
    }
    return true;
}

} // namespace norvane
