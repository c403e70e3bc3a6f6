// The linear-time percentile gives exactly what the sorted form gives, on series long enough that
// the selection leaves them far from sorted.
#include "text/percentile.h"

#include <algorithm>
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
            EXPECT_EQ(percentileOfUnsorted(shuffled, p), percentile(ascending, p)) << count << " values, p " << p;
        }
    }
    std::vector<double> none;
    EXPECT_FALSE(percentileOfUnsorted(none, 0.5));
}

} // namespace
} // namespace norvane::test
