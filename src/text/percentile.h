#pragma once

#include "text/vector_blocks.h"

#include <cstddef>
#include <cstdint>
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

    // Of values in any order, which it may reorder.
    std::vector<double> of(std::vector<double>& values);

    // The same of a series worked out afresh each time, which then need not be kept: after
    // startPass(), the caller works it out a block at a time, in the blocks of forEachBlock, and
    // hands each block to countBlock(); finish() gives the percentiles. Only when last time's
    // bounds no longer hold the series does finish() keep it whole, having fill(start, count,
    // out) work each block out again into out. Several series of one loop are counted side by
    // side.
    void startPass();
    // Made for a whole block (WholeBlock) and for the rest (std::size_t) where it is defined.
    template <class Count> void countBlock(const double* block, Count count);
    template <class Fill> std::vector<double> finish(std::size_t size, Fill&& fill);

private:
    struct Bounds {
        std::int32_t low = 0, high = 0; // the values kept between, by their order keys
        std::size_t below = 0;          // values under low
        std::vector<double> between;    // values from low to high
    };
    // Whether the values counted in this pass hold every rank asked for of `size` values.
    bool countsHold(std::size_t size) const;
    // From the values gathered, or, when `whole` is given, from all of them; then the next bounds.
    std::vector<double> selected(std::size_t size, std::vector<double>* whole);

    std::vector<double> ps_;
    double (*shown_)(double);
    std::vector<Bounds> bounds_; // one per p, once a first selection has set them
    bool counting_ = false;      // this pass counts against bounds_
    std::vector<double> whole_;  // a worked out series kept whole to be selected from
};

template <class Fill> std::vector<double> RepeatedPercentiles::finish(std::size_t size, Fill&& fill)
{
    if (size == 0)
        return {};
    if (countsHold(size))
        return selected(size, nullptr);
    whole_.resize(size);
    forEachBlock(size, [&](std::size_t start, auto count) { fill(start, count, whole_.data() + start); });
    return selected(size, &whole_);
}

} // namespace norvane
