#pragma once

#include "control/restart_kind.h"
#include "control/ttff_record.h"
#include "text/percentile.h"

#include <optional>
#include <string>
#include <vector>

namespace norvane {

// The figures of one start type over a run. The TTFF figures are in seconds and come from the
// cycles that got their fix, exactly as the CSV holds them (tenths), so that anyone recomputing
// them from the CSV gets the same numbers; with no such cycle they are absent.
struct TtffSummary {
    int count = 0;    // cycles of this start type
    int failures = 0; // of which timed out
    std::optional<double> mean, median, p90, p95, max;
    std::optional<double> standardDeviation; // sample (n - 1); absent below two fixes
};

TtffSummary summarize(const std::vector<TtffRecord>& records, RestartKind kind);

// The printed summary: a header line, then one line per start type.
std::string summaryHeader();
std::string summaryLine(RestartKind kind, const TtffSummary& summary);
// A figure as the summary shows it, "4.2", or "-" when absent.
std::string secondsText(const std::optional<double>& seconds);

} // namespace norvane
