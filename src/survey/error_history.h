#pragma once

#include "survey/survey.h"

#include <cstdint>
#include <deque>

namespace norvane {

// Fixes that fell into one stretch of time: the extremes and the sum of their horizontal error
// and, of those with a height, of their vertical error (up, signed).
struct ErrorBin {
    std::int64_t index = 0; // the bin runs from index * binSeconds for binSeconds
    int count = 0;
    double horizontalMin = 0, horizontalMax = 0, horizontalSum = 0;
    int upCount = 0;
    double upMin = 0, upMax = 0, upSum = 0;
};

// The horizontal and vertical error over time as the window plots them: the last hour of fixes,
// or the whole run when it is shorter, thinned to at most two bins per pixel column. Bins double
// in width as the run grows (neighbours merge) and the oldest leave once they are more than an
// hour behind the newest fix, so that adding a fix and drawing cost the same after a day at
// 10 Hz as after a minute.
class ErrorHistory {
public:
    static constexpr double kShownSeconds = 3600;
    // The finest bin: a tenth of a second of a 10 Hz receiver apart, halved twice for room.
    static constexpr double kFinestBinSeconds = 1.0 / 32;

    explicit ErrorHistory(int columns = 1);

    // Empties the history; the bins thereafter fit `columns` pixels.
    void reset(int columns);
    void add(const SurveyPoint& point);

    const std::deque<ErrorBin>& bins() const { return bins_; }
    double binSeconds() const { return binSeconds_; }
    // The times shown: from the first fix, or an hour before the newest, up to the newest.
    double firstSecond() const;
    double lastSecond() const { return lastSecond_; }
    // The run's first fix, which the time axis counts from.
    double firstFixSecond() const { return firstSecond_; }
    bool empty() const { return bins_.empty(); }
    int columns() const { return columns_; }

private:
    void dropOlderThanShown();
    void mergeNeighbours();

    int columns_ = 1;
    double binSeconds_ = kFinestBinSeconds;
    std::deque<ErrorBin> bins_;
    double firstSecond_ = 0, lastSecond_ = 0;
};

} // namespace norvane
