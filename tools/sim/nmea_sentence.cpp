#include "sim/nmea_sentence.h"

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

std::string formatAngle(double degreesMinutes, int degreeDigits)
{
    // Width is the degree digits, two minute digits, the point and four decimals.
    char text[32];
    std::snprintf(text, sizeof text, "%0*.4f", degreeDigits + 7, std::fabs(degreesMinutes));
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
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace norvane::sim
