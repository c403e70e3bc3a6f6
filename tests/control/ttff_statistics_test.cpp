// The TTFF summary on samples whose figures are known: the percentile method (linear between
// the closest ranks) on 1, 2, 10 and 200 values, and the edge cases a run can end with.

#include "control/ttff_statistics.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace norvane {
namespace {

TtffRecord cycle(RestartKind kind, std::optional<int> tenths)
{
    TtffRecord record;
    record.kind = kind;
    record.ttffTenths = tenths;
    return record;
}

std::vector<TtffRecord> hotRun(const std::vector<int>& tenths)
{
    std::vector<TtffRecord> records;
    for (int t : tenths)
        records.push_back(cycle(RestartKind::Hot, t));
    return records;
}

struct Expected {
    const char* name;
    std::vector<int> tenths; // in any order: the summary sorts
    double mean, median, p90, p95, max;
    std::optional<double> sd;
};

TEST(TtffStatistics, KnownSamples)
{
    std::vector<int> twoHundred; // 0.1 s .. 20.0 s, backwards
    for (int t = 200; t >= 1; --t)
        twoHundred.push_back(t);
    const Expected cases[] = {
        {"one value", {42}, 4.2, 4.2, 4.2, 4.2, 4.2, std::nullopt},
        {"two values", {20, 10}, 1.5, 1.5, 1.9, 1.95, 2.0, 0.7071068},
        {"ten values", {100, 10, 90, 20, 80, 30, 70, 40, 60, 50}, 5.5, 5.5, 9.1, 9.55, 10.0, 3.0276504},
        // rank 199 x 0.9 = 179.1 -> 18.0 + 0.1 x 0.1; rank 189.05 -> 19.0 + 0.05 x 0.1
        {"two hundred values", twoHundred, 10.05, 10.05, 18.01, 19.005, 20.0, 5.7879185},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.name);
        const TtffSummary s = summarize(hotRun(e.tenths), RestartKind::Hot);
        EXPECT_EQ(s.count, static_cast<int>(e.tenths.size()));
        EXPECT_EQ(s.failures, 0);
        EXPECT_NEAR(*s.mean, e.mean, 1e-9);
        EXPECT_NEAR(*s.median, e.median, 1e-9);
        EXPECT_NEAR(*s.p90, e.p90, 1e-9);
        EXPECT_NEAR(*s.p95, e.p95, 1e-9);
        EXPECT_NEAR(*s.max, e.max, 1e-9);
        ASSERT_EQ(s.standardDeviation.has_value(), e.sd.has_value());
        if (e.sd) {
            EXPECT_NEAR(*s.standardDeviation, *e.sd, 1e-6);
        }
    }
}

TEST(TtffStatistics, EmptyRunAndAllFailuresHaveCountsButNoFigures)
{
    const TtffSummary empty = summarize({}, RestartKind::Cold);
    EXPECT_EQ(empty.count, 0);
    EXPECT_FALSE(empty.mean || empty.median || empty.p90 || empty.p95 || empty.max ||
                 empty.standardDeviation);
    EXPECT_EQ(summaryLine(RestartKind::Cold, empty),
              "cold      0         0       -       -       -       -       -       -");

    const std::vector<TtffRecord> failed{cycle(RestartKind::Warm, std::nullopt),
                                         cycle(RestartKind::Warm, std::nullopt)};
    const TtffSummary s = summarize(failed, RestartKind::Warm);
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.failures, 2);
    EXPECT_FALSE(s.mean || s.median || s.max);
}

// Failures count in n but not in the figures; other start types of an automatic run stay out.
TEST(TtffStatistics, FailuresAndOtherStartTypesStayOutOfTheFigures)
{
    const std::vector<TtffRecord> run{cycle(RestartKind::Cold, 300), cycle(RestartKind::Hot, 30),
                                      cycle(RestartKind::Hot, std::nullopt), cycle(RestartKind::Hot, 50)};
    const TtffSummary s = summarize(run, RestartKind::Hot);
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.failures, 1);
    EXPECT_DOUBLE_EQ(*s.mean, 4.0);
    EXPECT_DOUBLE_EQ(*s.max, 5.0);
    EXPECT_EQ(summaryLine(RestartKind::Hot, s),
              "hot       3         1     4.0     4.0     4.8     4.9     5.0     1.4");
}

} // namespace
} // namespace norvane
