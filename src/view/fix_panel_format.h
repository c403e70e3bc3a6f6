#pragma once

#include "decode/receiver_state.h"

#include <optional>
#include <string>

namespace norvane {

// The texts of the fix panel, formatted from the receiver state. A character of code 0 in a
// text (a hemisphere no sentence has set) ends it, as it ends the text of an edit field.

// ddmm.mmmm with its hemisphere letter as  N24"59'12.34
std::string formatPosition(char hemisphere, double value);
// "    56.3M"
std::string formatAltitude(double metres);
// hh:mm:ss with the hour shifted by one hour per 15 degrees of longitude.
std::string formatTime(int utcHour, int minute, int second, double longitude, char lonHemisphere);
// 20yy/mm/dd
std::string formatDate(int year, int month, int day);
// knots, right-aligned in eight characters
std::string formatSpeed(double knots);
// "NONE", "  2D" or "  3D"; nothing for any other mode, whose field keeps its text.
std::optional<std::string> formatFixMode(char fixMode);
std::string formatPdop(double pdop);

// The hour of the time field: UTC plus longitude / 1500 hours east, minus it west, kept in 0..23.
int zoneShiftedHour(int utcHour, double longitude, char lonHemisphere);

// The fix panel's texts for a whole receiver state.
inline std::string latitudeText(const ReceiverState& s)
{
    return formatPosition(s.lat_hemisphere, s.latitude);
}
inline std::string longitudeText(const ReceiverState& s)
{
    return formatPosition(s.lon_hemisphere, s.longitude);
}
inline std::string timeText(const ReceiverState& s)
{
    return formatTime(s.utc_hour, s.utc_minute, s.utc_second, s.longitude, s.lon_hemisphere);
}
inline std::string dateText(const ReceiverState& s)
{
    return formatDate(s.date_year, s.date_month, s.date_day);
}

} // namespace norvane
