// The receiver's idea of the date and time: a fixed start plus the seconds it has been running.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace norvane::sim {

struct UtcTime {
    int year = 2007, month = 10, day = 19; // four-digit year
    int hour = 12, minute = 0, second = 0;
    int millisecond = 0; // of a fix between whole seconds
};

// "YYYY-MM-DD hh:mm:ss"; nothing when the text is not such a time.
std::optional<UtcTime> parseUtcTime(const std::string& text);
UtcTime currentUtcTime();
UtcTime addSeconds(const UtcTime& start, std::int64_t seconds);

// hhmmss.sss and ddmmyy as GGA and RMC carry them.
std::string nmeaTimeOfDay(const UtcTime& time);
std::string nmeaDate(const UtcTime& time);

} // namespace norvane::sim
