#pragma once

#include <optional>
#include <string_view>

namespace norvane {

constexpr int kDayMs = 24 * 60 * 60 * 1000;

// What a recorded sentence tells the replay about its pacing. Only a sentence the receive loop
// would decode counts (a sound checksum), so a line garbled in the recording paces nothing.
struct SentenceTiming {
    bool gga = false;
    // The UTC time of day of GGA, RMC, GNS, GLL and ZDA, in milliseconds; nothing when the
    // sentence carries none (another type, or an empty or unreadable time field).
    std::optional<int> timeMs;
};

// `sentence` runs from its '$' up to, not including, its line end.
SentenceTiming sentenceTiming(std::string_view sentence);

// "hhmmss" with any decimals, as the time fields carry it, in milliseconds of the day.
std::optional<int> timeOfDayMs(std::string_view field);

} // namespace norvane
