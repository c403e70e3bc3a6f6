#include "control/ttff_statistics.h"

#include "text/number_format.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace norvane {

namespace {

std::optional<double> sampleStandardDeviation(const std::vector<double>& values, double mean)
{
    if (values.size() < 2)
        return std::nullopt;
    double squares = 0;
    for (double value : values)
        squares += (value - mean) * (value - mean);
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

} // namespace

TtffSummary summarize(const std::vector<TtffRecord>& records, RestartKind kind)
{
    TtffSummary summary;
    std::vector<double> seconds;
    for (const TtffRecord& record : records) {
        if (record.kind != kind)
            continue;
        ++summary.count;
        if (record.ok())
            seconds.push_back(*record.ttffTenths / 10.0);
        else
            ++summary.failures;
    }
    if (seconds.empty())
        return summary;
    std::sort(seconds.begin(), seconds.end());
    const double mean =
        std::accumulate(seconds.begin(), seconds.end(), 0.0) / static_cast<double>(seconds.size());
    summary.mean = mean;
    summary.median = percentile(seconds, 0.5);
    summary.p90 = percentile(seconds, 0.9);
    summary.p95 = percentile(seconds, 0.95);
    summary.max = seconds.back();
    summary.standardDeviation = sampleStandardDeviation(seconds, mean);
    return summary;
}

std::string secondsText(const std::optional<double>& seconds)
{
    if (!seconds)
        return "-";
    return fixedText(*seconds, 1);
}

std::string summaryHeader()
{
    return "start     n  failures    mean  median     p90     p95     max      sd   (seconds)";
}

std::string summaryLine(RestartKind kind, const TtffSummary& s)
{
    return formatText("%-5s %5d %9d %7s %7s %7s %7s %7s %7s", startName(kind), s.count, s.failures,
                      secondsText(s.mean), secondsText(s.median), secondsText(s.p90), secondsText(s.p95),
                      secondsText(s.max), secondsText(s.standardDeviation));
}

} // namespace norvane
