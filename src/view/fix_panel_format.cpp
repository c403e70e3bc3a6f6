#include "view/fix_panel_format.h"

#include "text/number_format.h"

#include <climits>
#include <cmath>

namespace norvane {

namespace {

// A formatted text that, like an edit field, ends at the first character of code 0.
template <class... Args> std::string printed(const char* format, Args... args)
{
    std::string text = formatText(format, args...);
    return text.substr(0, text.find('\0'));
}

// Truncation toward zero that stays defined for a corrupt value such as 1e300, which a
// sentence can carry as a valid number.
int truncated(double value)
{
    if (!(value > INT_MIN && value < INT_MAX))
        return value > 0 ? INT_MAX : INT_MIN;
    return static_cast<int>(value);
}

} // namespace

std::string formatPosition(char hemisphere, double value)
{
    const int degrees = truncated(value * 0.01);
    const int minutes = truncated(value - 100.0 * degrees);
    const float seconds = static_cast<float>((value - 100.0 * degrees - minutes) * 60.0);
    return printed("%c%d\"%02d'%05.2f", hemisphere, degrees, minutes, static_cast<double>(seconds));
}

std::string formatAltitude(double metres)
{
    return printed("%8.1fM", metres);
}

int zoneShiftedHour(int utcHour, double longitude, char lonHemisphere)
{
    const double zone = longitude / 1500.0;
    // West of Greenwich the local hour is behind UTC; rounding down keeps 02:00 at 74 degrees
    // west on 21, where truncation toward zero would show 22.
    const double shifted = lonHemisphere == 'W' ? utcHour - zone : utcHour + zone;
    int hour = truncated(std::floor(shifted));
    if (hour > 23)
        hour -= 24;
    if (hour < 0)
        hour += 24;
    return hour;
}

std::string formatTime(int utcHour, int minute, int second, double longitude, char lonHemisphere)
{
    return printed("%02d:%02d:%02d", zoneShiftedHour(utcHour, longitude, lonHemisphere), minute, second);
}

std::string formatDate(int year, int month, int day)
{
    return printed("20%02d/%02d/%02d", year, month, day);
}

std::string formatSpeed(double knots)
{
    return printed("%8.1f", knots);
}

std::optional<std::string> formatFixMode(char fixMode)
{
    switch (fixMode) {
    case '1':
        return "NONE";
    case '2':
        return "  2D";
    case '3':
        return "  3D";
    default:
        return std::nullopt;
    }
}

std::string formatPdop(double pdop)
{
    return printed("%02.1f", pdop);
}

} // namespace norvane
