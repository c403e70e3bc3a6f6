// The simulator's re-acquisition times: the single-value form as before, "mean:spread" as a
// distribution with that mean and spread, and what the command line makes of both.

#include "sim/command_line.h"
#include "sim/fix_timeline.h"
#include "sim/reacquisition_time.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace norvane::sim {
namespace {

TEST(ReacquisitionTime, TextForms)
{
    const struct {
        const char* text;
        bool ok;
        double mean, spread;
    } cases[] = {
        {"3", true, 3, kNominalSpread},
        {"0.5", true, 0.5, kNominalSpread},
        {"3:1", true, 3, 1},
        {"30:0", true, 30, 0},
        {"0:2", true, 0, 2},
        {"-1", false, 0, 0},
        {"3:-1", false, 0, 0},
        {"3:", false, 0, 0},
        {":1", false, 0, 0},
        {"3:1:2", false, 0, 0},
        {"abc", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        double mean = 99, spread = 99;
        EXPECT_EQ(parseReacquisitionTime(c.text, mean, spread), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(mean, c.mean) << c.text;
            EXPECT_DOUBLE_EQ(spread, c.spread) << c.text;
        } else {
            EXPECT_DOUBLE_EQ(mean, 99) << "a refused text changes nothing: " << c.text;
        }
    }
    const CommandLine line = parseCommandLine({"--hot", "3:1", "--warm", "20", "--cold", "40:10"});
    EXPECT_EQ(line.error, "");
    EXPECT_DOUBLE_EQ(line.options.hotSeconds, 3);
    EXPECT_DOUBLE_EQ(line.options.hotSpread, 1);
    EXPECT_DOUBLE_EQ(line.options.warmSpread, kNominalSpread);
    EXPECT_DOUBLE_EQ(line.options.coldSpread, 10);
    EXPECT_NE(parseCommandLine({"--hot", "3:x"}).error, "");
}

// Two hundred restarts, as a restart test makes them: the times have the asked-for mean and
// spread (within what 200 draws allow), are never negative and vary with the seed.
TEST(ReacquisitionTime, DistributionHasItsMeanAndSpread)
{
    FixTimeline timeline({30, 20, 3, 30, 20, 1}, 4);
    double sum = 0, squares = 0, smallest = 1e9;
    constexpr int kDraws = 200;
    for (int i = 0; i < kDraws; ++i) {
        timeline.restart(RestartKind::Hot, i * 100.0);
        const double t = timeline.searchSeconds();
        sum += t;
        squares += t * t;
        smallest = std::min(smallest, t);
    }
    const double mean = sum / kDraws;
    const double spread = std::sqrt(squares / kDraws - mean * mean);
    EXPECT_NEAR(mean, 3.0, 0.25);
    EXPECT_NEAR(spread, 1.0, 0.25);
    EXPECT_GT(smallest, 0.0);
    EXPECT_GT(spread, 0.5) << "more than the nominal tenth either way";

    std::mt19937 random(1);
    EXPECT_DOUBLE_EQ(drawSearchSeconds(3, 0, random), 3);
    EXPECT_DOUBLE_EQ(drawSearchSeconds(0, 1, random), 0);
}

} // namespace
} // namespace norvane::sim
