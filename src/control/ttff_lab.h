#pragma once

#include "control/restart_kind.h"
#include "control/ttff_cycle.h"
#include "control/ttff_record.h"
#include "control/ttff_statistics.h"
#include "log/csv_file.h"
#include "serial/clock.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace norvane {

// Default time limits of a cycle, seconds, by start type.
constexpr int kTtffColdLimitSeconds = 300;
constexpr int kTtffWarmLimitSeconds = 120;
constexpr int kTtffHotLimitSeconds = 60;

// What the lab tells whoever shows its results.
class TtffLabListener {
public:
    virtual ~TtffLabListener() = default;
    virtual void cycleFinished(const TtffRecord& record) = 0;
    // The CSV could not be created or written; the run goes on, its rows are no longer kept.
    virtual void csvFailed(const std::string& message) = 0;
};

// The TTFF measurement of a run, shared by the restart test window and the headless runner:
// numbers the cycles, measures each one from its written restart command, writes the CSV row by
// row and keeps the records for the statistics. Whoever drives the restarts tells it when a
// command was written and hands it every decoded sentence.
class TtffLab {
public:
    using UtcClock = std::function<std::int64_t()>;
    explicit TtffLab(UtcClock utcClock = systemUtcMs);

    void setListener(TtffLabListener* listener) { listener_ = listener; }
    void setLimitSeconds(RestartKind kind, int seconds) { limits_[kindIndex(kind)] = seconds; }
    int limitSeconds(RestartKind kind) const { return limits_[kindIndex(kind)]; }

    // A new run: records cleared, a new CSV in the working directory (or at csvPath when given).
    // False, with the reason, when the CSV cannot be created; the run may still go on.
    bool startRun(std::string& error, const std::string& csvPath = {});
    // Ends the run: a cycle still open ends without a fix; a CSV without rows is removed.
    void endRun();
    // Forgets the open cycle, which then never becomes a record: the run was stopped by hand
    // before the receiver could answer it.
    void dropOpenCycle() { cycle_.reset(); }

    // The restart command of the next cycle was written at writtenMs (clock seam). A cycle still
    // open is ended first.
    void restartWritten(RestartKind kind, std::int64_t writtenMs);
    void sentenceDecoded(const std::string& type, const ReceiverState& state);
    // Checks the open cycle's limit against the clock seam.
    void poll();

    bool cycleOpen() const { return cycle_.has_value(); }
    const std::vector<TtffRecord>& records() const { return records_; }
    TtffSummary summary(RestartKind kind) const { return summarize(records_, kind); }
    const std::string& csvPath() const { return csv_.path(); }

private:
    void finishIfComplete();

    UtcClock utcClock_;
    TtffLabListener* listener_ = nullptr;
    std::array<int, 3> limits_{kTtffColdLimitSeconds, kTtffWarmLimitSeconds, kTtffHotLimitSeconds};
    std::optional<TtffCycle> cycle_;
    std::vector<TtffRecord> records_;
    CsvFile csv_;
};

} // namespace norvane
