#pragma once

#include "decode/receiver_state.h"
#include "log/csv_file.h"
#include "serial/clock.h"
#include "survey/signal_figures.h"
#include "survey/survey.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace norvane {

// What the lab tells whoever shows its results.
class SurveyLabListener {
public:
    virtual ~SurveyLabListener() = default;
    // After each epoch is taken and its CSV row written.
    virtual void epochTaken(const SurveyRow& row) { (void)row; }
    // The CSV could not be created or written; the survey goes on, its rows are no longer kept.
    virtual void csvFailed(const std::string& message) = 0;
};

// One receiver's position survey over runs, shared by the "Position Accuracy" window and
// norvane-survey: a run is a fresh survey and a fresh CSV, fed every decoded sentence. The
// reference choice outlives the runs.
class SurveyLab {
public:
    using UtcClock = std::function<std::int64_t()>;
    explicit SurveyLab(UtcClock utcClock = systemUtcMs);

    void setListener(SurveyLabListener* listener) { listener_ = listener; }
    // The receiver state the decoded sentences are written into: at each GGA of a run its
    // satellites, as the views show them, add an epoch to the signal strength figures. Without
    // it the run has none.
    void setReceiverState(ReceiverState* state) { receiverState_ = state; }

    // A new run: a new survey, a new CSV in the working directory named
    // norvane-survey-YYYYMMDD-hhmmss<nameSuffix>.csv (or at csvPath when given). False, with the
    // reason, when the CSV cannot be created; the run goes on without it.
    bool startRun(std::string& error, const std::string& csvPath = {}, const std::string& nameSuffix = {});
    // Ends the run: an epoch still waiting is taken, the figures are refreshed and the CSV
    // closed (removed when it holds no epoch). The survey and its figures stay to be read.
    void endRun();
    bool running() const { return running_; }
    // For a recording read as fast as it goes: the CSV is written in large pieces rather than
    // flushed row by row.
    void setFlushEachRow(bool flush) { csv_.setFlushEachRow(flush); }

    // Every decoded sentence, as the receive sink is given it; ignored outside a run.
    void sentenceDecoded(std::string_view type, std::string_view sentence);

    Survey& survey() { return survey_; }
    const Survey& survey() const { return survey_; }
    // The signal strength over the run's epochs so far.
    SignalSummary signalSummary() const { return signal_.summary(); }
    const std::string& csvPath() const { return csv_.path(); }

private:
    void take(const SurveyRow& row);

    UtcClock utcClock_;
    SurveyLabListener* listener_ = nullptr;
    Survey survey_;
    ReceiverState* receiverState_ = nullptr;
    SignalFigures signal_;
    SatelliteShowing showing_; // an epoch's satellites, kept for its room
    CsvFile csv_;
    std::string csvRow_; // kept for its room: a recording's survey writes millions of rows
    bool running_ = false;
};

// The figures of the lab's run as the window, the summary and the JSON line show them: the
// survey's, then the signal strength's.
std::vector<Figure> runFigureList(const SurveyLab& lab);

} // namespace norvane
