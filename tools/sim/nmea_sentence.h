// Framing of the sentences the simulated receiver sends.
#pragma once

#include <string>

namespace norvane::sim {

// Satellites described by one GSV sentence, and the PRN slots of a GSA sentence.
inline constexpr int kGsvPerMessage = 4;
inline constexpr int kGsaSlots = 12;

// XOR of every character of the body (the text between '$' and '*').
unsigned char nmeaChecksum(const std::string& body);

// "$" + body + "*" + two upper-case hexadecimal digits + CR LF.
std::string nmeaSentence(const std::string& body);

// ddmm.mmmm (or dddmm.mmmm when degreeDigits is 3) with four decimals (or as many as asked) and
// leading zeros.
std::string formatAngle(double degreesMinutes, int degreeDigits, int decimals = 4);

// Field texts: "05" for 5 (PRNs, elevations, SNRs), "1.2" for 1.23 (DOPs).
std::string twoDigits(int value);
std::string oneDecimal(double value);
// A number with this many decimals and '.' as its point, whatever the process's locale.
std::string fixedDecimals(double value, int decimals);

} // namespace norvane::sim
