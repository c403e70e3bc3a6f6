#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvane {

// The pause before a burst at the recording's own pace: the difference of the two bursts'
// times, rolled over midnight. A gap above 60 s (which an out-of-order time gives too), or a
// burst without a time on either side, counts as 1 s.
int pauseBeforeMs(std::optional<int> previousTimeMs, std::optional<int> nextTimeMs);

// Replay speeds: a multiple of the recording's own pace, or kReplayMax, as fast as the window
// keeps up. kReplaySpeeds lists the choices in the order they are offered.
constexpr int kReplayMax = 0;
constexpr int kReplaySpeeds[] = {1, 2, 5, 10, 60, kReplayMax};

// "1", "2", "5", "10", "60" or "max", as the command line takes them.
std::optional<int> replaySpeedOfText(std::string_view text);
// "1x" ... "60x", "max", as the Replay window offers them.
std::string replaySpeedText(int speed);

} // namespace norvane
