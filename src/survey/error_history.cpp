#include "survey/error_history.h"

#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

void addToBin(ErrorBin& bin, double horizontal, std::optional<double> up)
{
    if (bin.count == 0) {
        bin.horizontalMin = bin.horizontalMax = horizontal;
    } else {
        bin.horizontalMin = std::min(bin.horizontalMin, horizontal);
        bin.horizontalMax = std::max(bin.horizontalMax, horizontal);
    }
    ++bin.count;
    bin.horizontalSum += horizontal;
    if (!up)
        return;
    if (bin.upCount == 0) {
        bin.upMin = bin.upMax = *up;
    } else {
        bin.upMin = std::min(bin.upMin, *up);
        bin.upMax = std::max(bin.upMax, *up);
    }
    ++bin.upCount;
    bin.upSum += *up;
}

void mergeInto(ErrorBin& into, const ErrorBin& from)
{
    if (from.count > 0) {
        into.horizontalMin = into.count > 0 ? std::min(into.horizontalMin, from.horizontalMin) : from.horizontalMin;
        into.horizontalMax = into.count > 0 ? std::max(into.horizontalMax, from.horizontalMax) : from.horizontalMax;
        into.count += from.count;
        into.horizontalSum += from.horizontalSum;
    }
    if (from.upCount > 0) {
        into.upMin = into.upCount > 0 ? std::min(into.upMin, from.upMin) : from.upMin;
        into.upMax = into.upCount > 0 ? std::max(into.upMax, from.upMax) : from.upMax;
        into.upCount += from.upCount;
        into.upSum += from.upSum;
    }
}

} // namespace

ErrorHistory::ErrorHistory(int columns)
{
    reset(columns);
}

void ErrorHistory::reset(int columns)
{
    columns_ = std::max(1, columns);
    binSeconds_ = kFinestBinSeconds;
    bins_.clear();
    firstSecond_ = lastSecond_ = 0;
}

double ErrorHistory::firstSecond() const
{
    return std::max(firstSecond_, lastSecond_ - kShownSeconds);
}

void ErrorHistory::add(const SurveyPoint& point)
{
    if (!std::isfinite(point.utcSeconds) || !std::isfinite(point.east) || !std::isfinite(point.north))
        return;
    if (bins_.empty())
        firstSecond_ = lastSecond_ = point.utcSeconds;
    // Times only grow; a fix stamped earlier than the newest bin joins that bin.
    lastSecond_ = std::max(lastSecond_, point.utcSeconds);
    auto index = static_cast<std::int64_t>(std::floor(point.utcSeconds / binSeconds_));
    if (!bins_.empty())
        index = std::max(index, bins_.back().index);
    if (bins_.empty() || bins_.back().index != index)
        bins_.push_back(ErrorBin{index});
    const std::optional<double> up =
        point.hasHeight && std::isfinite(point.up) ? std::optional<double>(point.up) : std::nullopt;
    addToBin(bins_.back(), std::hypot(point.east, point.north), up);
    dropOlderThanShown();
    while (bins_.back().index - bins_.front().index + 1 > 2 * static_cast<std::int64_t>(columns_))
        mergeNeighbours();
}

void ErrorHistory::dropOlderThanShown()
{
    const double shownFrom = firstSecond();
    while (bins_.size() > 1 && (bins_.front().index + 1) * binSeconds_ <= shownFrom)
        bins_.pop_front();
}

// Twice the width: bins 2k and 2k + 1 become bin k.
void ErrorHistory::mergeNeighbours()
{
    binSeconds_ *= 2;
    std::deque<ErrorBin> merged;
    for (const ErrorBin& bin : bins_) {
        const std::int64_t index = bin.index >= 0 ? bin.index / 2 : -((-bin.index + 1) / 2);
        if (merged.empty() || merged.back().index != index)
            merged.push_back(ErrorBin{index});
        mergeInto(merged.back(), bin);
    }
    bins_ = std::move(merged);
}

} // namespace norvane
