// The linear-time percentile gives exactly what the sorted form gives, on series long enough that
// the selection leaves them far from sorted.
#include "text/percentile.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace norvane::test {
namespace {

TEST(Percentile, SelectionAgreesWithTheSortedFormAtEveryRank)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(0, 100);
    for (const std::size_t count : {1u, 2u, 3u, 1000u, 4097u}) {
        std::vector<double> values(count);
        for (double& value : values)
            value = spread(random);
        std::vector<double> ascending = values;
        std::sort(ascending.begin(), ascending.end());
        for (const double p : {0.0, 0.5, 0.9, 0.95, 0.99, 0.999, 1.0}) {
            std::vector<double> shuffled = values;
            EXPECT_EQ(percentilesOfUnsorted(shuffled, {p}), std::vector<double>{*percentile(ascending, p)})
                << count << " values, p " << p;
        }
        // All at once, of the roots of the values, as the survey ranks squared radii.
        const std::vector<double> ps = {0.0, 0.5, 0.5, 0.95, 0.99, 0.999, 1.0};
        std::vector<double> roots(ascending.size()), squares = values;
        std::transform(ascending.begin(), ascending.end(), roots.begin(), [](double v) { return std::sqrt(v); });
        const auto together = percentilesOfUnsorted(squares, ps, [](double v) { return std::sqrt(v); });
        ASSERT_EQ(together.size(), ps.size());
        for (std::size_t i = 0; i < ps.size(); ++i)
            EXPECT_EQ(together[i], percentile(roots, ps[i])) << count << " values, p " << ps[i];
    }
    std::vector<double> none;
    EXPECT_TRUE(percentilesOfUnsorted(none, {0.5}).empty());
}

// Taken again and again over a series that grows and drifts a little each time (the narrow
// pass), then jumps (the whole selection again): always what the sorted form gives, whether the
// series is held or handed over a block at a time as the survey works it out.
TEST(Percentile, RepeatedSelectionOfADriftingSeriesAgreesWithTheSortedForm)
{
    std::mt19937 random(11);
    std::normal_distribution<double> spread(10, 8);
    const std::vector<double> ps = {0.0, 0.5, 0.95, 0.99, 1.0};
    RepeatedPercentiles held(ps), byBlocks(ps);
    std::vector<double> series(5000);
    for (double& value : series)
        value = spread(random);
    for (int round = 0; round < 40; ++round) {
        const double shift = round == 25 ? 50.0 : 0.0005 * round;
        for (int i = 0; i < 20 + round; ++i)
            series.push_back(spread(random));
        for (double& value : series)
            value += shift;
        std::vector<double> ascending = series, scratch = series;
        std::sort(ascending.begin(), ascending.end());
        const auto found = held.of(scratch);
        const auto workOut = [&series](std::size_t start, auto count, double* out) {
            std::copy_n(series.begin() + static_cast<std::ptrdiff_t>(start), count, out);
        };
        byBlocks.startPass();
        forEachBlock(series.size(), [&](std::size_t start, auto count) {
            double block[kVectorBlock];
            workOut(start, count, block);
            byBlocks.countBlock(block, count);
        });
        const auto foundByBlocks = byBlocks.finish(series.size(), workOut);
        ASSERT_EQ(found.size(), ps.size());
        for (std::size_t i = 0; i < ps.size(); ++i) {
            EXPECT_EQ(found[i], *percentile(ascending, ps[i])) << "round " << round << ", p " << ps[i];
            EXPECT_EQ(foundByBlocks[i], found[i]) << "round " << round << ", p " << ps[i];
        }
    }
}

} // namespace
} // namespace norvane::test
