// What the accuracy window's plots are drawn from: the scatter's zoom as a run grows and by hand,
// and the error history, thinned to the pixels it has, against the fixes it was given.
#include "survey/error_history.h"
#include "survey/scatter_zoom.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

namespace norvane {
namespace {

TEST(ScatterZoom, FollowsTheFarthestFixInOneTwoFiveSteps)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        ScatterZoom zoom;
        double farthest;
        std::optional<double> followed;
    } rows[] = {
        {{1, true}, 0.5, std::nullopt}, // in sight
        {{1, true}, 0, std::nullopt},   // a single fix
        {{1, true}, 1.2, 2},            // left the view: 1.32 rounds up to 2
        {{2, true}, 1.95, std::nullopt},
        {{2, true}, 2.01, 5},
        {{10, true}, 4.0, std::nullopt}, // fitted would be 5: not enough smaller to shrink
        {{10, true}, 1.5, 2},            // the run settled: two steps smaller
        {{0.05, true}, 0.003, 0.01},     // never below a centimetre
        {{10, false}, 50, std::nullopt}, // zoomed by hand
        {{1, true}, nan, std::nullopt},
    };
    for (const auto& row : rows) {
        const auto followed = followedZoom(row.zoom, row.farthest);
        ASSERT_EQ(followed.has_value(), row.followed.has_value()) << row.zoom.halfSpan << " " << row.farthest;
        if (followed) {
            EXPECT_DOUBLE_EQ(followed->halfSpan, *row.followed) << row.farthest;
            EXPECT_TRUE(followed->following);
            EXPECT_GE(followed->halfSpan, row.farthest) << "every fix in sight";
        }
    }
}

TEST(ScatterZoom, ByHandHalvesOrDoublesWithinLimitsAndStopsFollowing)
{
    EXPECT_EQ(zoomedIn({4, true}), (ScatterZoom{2, false}));
    EXPECT_EQ(zoomedOut({4, true}), (ScatterZoom{8, false}));
    EXPECT_EQ(zoomedIn({kSmallestScatterHalfSpan, false}).halfSpan, kSmallestScatterHalfSpan);
    EXPECT_EQ(zoomedOut({kLargestScatterHalfSpan, false}).halfSpan, kLargestScatterHalfSpan);
    EXPECT_EQ(fittedZoom(2.0), (ScatterZoom{5, true}));
    EXPECT_EQ(fittedZoom(0.09), (ScatterZoom{0.1, true}));
    EXPECT_EQ(fittedZoom(1e9).halfSpan, kLargestScatterHalfSpan);
}

struct Fix {
    double t, horizontal, up;
    bool hasHeight;
};

// Each bin against the fixes whose time falls inside it, and every shown fix in some bin.
void expectBinsHoldTheirFixes(const ErrorHistory& history, const std::vector<Fix>& fixes, int columns)
{
    const auto& bins = history.bins();
    ASSERT_FALSE(bins.empty());
    const double width = history.binSeconds();
    EXPECT_LE(bins.back().index - bins.front().index + 1, 2 * columns);
    EXPECT_LE(bins.front().index * width, history.firstSecond());
    EXPECT_GT((bins.front().index + 1) * width, history.firstSecond()) << "no bin wholly before the hour shown";
    EXPECT_LE(history.lastSecond() - history.firstSecond(), ErrorHistory::kShownSeconds);
    int inBins = 0;
    for (const ErrorBin& bin : bins) {
        ErrorBin expected{bin.index};
        double hMin = 1e300, hMax = -1e300, uMin = 1e300, uMax = -1e300;
        for (const Fix& fix : fixes) {
            if (fix.t < bin.index * width || fix.t >= (bin.index + 1) * width)
                continue;
            ++expected.count;
            hMin = std::min(hMin, fix.horizontal);
            hMax = std::max(hMax, fix.horizontal);
            expected.horizontalSum += fix.horizontal;
            if (fix.hasHeight) {
                ++expected.upCount;
                uMin = std::min(uMin, fix.up);
                uMax = std::max(uMax, fix.up);
                expected.upSum += fix.up;
            }
        }
        ASSERT_EQ(bin.count, expected.count) << bin.index;
        ASSERT_EQ(bin.upCount, expected.upCount) << bin.index;
        EXPECT_NEAR(bin.horizontalMin, hMin, 1e-9);
        EXPECT_NEAR(bin.horizontalMax, hMax, 1e-9);
        EXPECT_NEAR(bin.horizontalSum, expected.horizontalSum, 1e-6);
        if (expected.upCount > 0) {
            EXPECT_NEAR(bin.upMin, uMin, 1e-9);
            EXPECT_NEAR(bin.upMax, uMax, 1e-9);
            EXPECT_NEAR(bin.upSum, expected.upSum, 1e-6);
        }
        inBins += bin.count;
    }
    const auto shown = std::count_if(fixes.begin(), fixes.end(),
                                     [&](const Fix& fix) { return fix.t >= bins.front().index * width; });
    EXPECT_EQ(inBins, shown);
}

// Two hours at 10 Hz from 23:30 UTC, on past midnight, every seventh fix without a height: the
// bins widen as the run grows, the first hour leaves, and what stays is exactly the fixes'.
TEST(ErrorHistory, KeepsTheLastHourThinnedToItsColumns)
{
    constexpr int kColumns = 150;
    ErrorHistory history(kColumns);
    std::vector<Fix> fixes;
    const double start = 23.5 * 3600;
    for (int i = 0; i < 72000; ++i) {
        const double t = start + i * 0.1;
        const double east = std::sin(i * 0.37) * 3, north = std::cos(i * 0.11) * 2, up = std::sin(i * 0.05) * 4;
        const bool hasHeight = i % 7 != 0;
        history.add({t, east, north, up, hasHeight});
        fixes.push_back({t, std::hypot(east, north), up, hasHeight});
        ASSERT_LE(history.bins().size(), 2u * kColumns) << i;
        if (i == 9 || i == 600 || i == 36005 || i == 71999) {
            SCOPED_TRACE(i);
            expectBinsHoldTheirFixes(history, fixes, kColumns);
        }
    }
    EXPECT_DOUBLE_EQ(history.firstSecond(), history.lastSecond() - ErrorHistory::kShownSeconds);
    EXPECT_DOUBLE_EQ(history.firstFixSecond(), start);

    // A fix stamped before the newest bin (a receiver's clock stepping back) joins that bin.
    const ErrorBin newest = history.bins().back();
    history.add({history.lastSecond() - 30, 100, 0, 0, true});
    EXPECT_EQ(history.bins().back().index, newest.index);
    EXPECT_EQ(history.bins().back().count, newest.count + 1);
    EXPECT_DOUBLE_EQ(history.bins().back().horizontalMax, 100);

    history.reset(kColumns);
    EXPECT_TRUE(history.empty());
    EXPECT_DOUBLE_EQ(history.binSeconds(), ErrorHistory::kFinestBinSeconds);
}

} // namespace
} // namespace norvane
