#pragma once

// Receiver sentences for tests that feed the program: written here rather than taken from the
// simulator, so that tests of the decoding do not trust another copy of the framing they test.

#include <cstdio>
#include <string>
#include <string_view>

namespace norvane::test {

// "$" + body + "*" + the body's XOR checksum as two upper-case hexadecimal digits, no line end.
inline std::string nmea(std::string_view body)
{
    unsigned checksum = 0;
    for (char ch : body)
        checksum ^= static_cast<unsigned char>(ch);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", checksum);
    return "$" + std::string(body) + "*" + digits;
}

// The sentence as a receiver sends it, with its CR LF.
inline std::string nmeaLine(std::string_view body)
{
    return nmea(body) + "\r\n";
}

// The fix of the simulated receiver's place (2459.2057 N 12130.1234 E, 56.3 m above sea level)
// at `time` (hhmmss.sss; empty for a receiver that has no time yet), as a receiver sends it.
inline std::string ggaLine(std::string_view time)
{
    return nmeaLine("GPGGA," + std::string(time) + ",2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,");
}

inline std::string rmcLine(std::string_view time)
{
    return nmeaLine("GPRMC," + std::string(time) + ",A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A");
}

// A fix sentence as a receiver sent it, checksum and all, without line end.
inline const std::string kRecordedGga =
    "$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76";

} // namespace norvane::test
