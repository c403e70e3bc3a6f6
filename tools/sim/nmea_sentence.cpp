#include "sim/nmea_sentence.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace norvane::sim {

unsigned char nmeaChecksum(const std::string& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return sum;
}

std::string nmeaSentence(const std::string& body)
{
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", nmeaChecksum(body));
    return "$" + body + tail;
}

// The receiver writes '.' whatever locale the process around it runs in (the window tests run
// the simulator inside a program whose locale has a decimal comma).
std::string fixedDecimals(double value, int decimals)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

std::string formatAngle(double degreesMinutes, int degreeDigits, int decimals)
{
    // Width is the degree digits, two minute digits, the point and the decimals.
    std::string text = fixedDecimals(std::fabs(degreesMinutes), decimals);
    const std::size_t width = static_cast<std::size_t>(degreeDigits + 3 + decimals);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

std::string twoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string oneDecimal(double value)
{
    return fixedDecimals(value, 1);
}

} // namespace norvane::sim
