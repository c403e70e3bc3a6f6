#include "replay/replay_pacing.h"

#include "replay/sentence_time.h"

namespace norvane {

namespace {

constexpr int kLongestGapMs = 60 * 1000;
constexpr int kGapInsteadMs = 1000;

} // namespace

int pauseBeforeMs(std::optional<int> previousTimeMs, std::optional<int> nextTimeMs)
{
    if (!previousTimeMs || !nextTimeMs)
        return kGapInsteadMs;
    const int gap = ((*nextTimeMs - *previousTimeMs) % kDayMs + kDayMs) % kDayMs;
    return gap <= kLongestGapMs ? gap : kGapInsteadMs;
}

std::optional<int> replaySpeedOfText(std::string_view text)
{
    for (int speed : kReplaySpeeds)
        if (text == (speed == kReplayMax ? std::string("max") : std::to_string(speed)))
            return speed;
    return std::nullopt;
}

std::string replaySpeedText(int speed)
{
    return speed == kReplayMax ? std::string("max") : std::to_string(speed) + "x";
}

} // namespace norvane
