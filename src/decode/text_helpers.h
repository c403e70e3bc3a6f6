#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norvane {

// Conversions never fail: a text that is not exactly a number gives 0.

// Leading spaces are skipped, then an optional sign and either decimal digits or "0x" followed
// by hexadecimal digits in either case. Nothing may follow the digits, not even a space. A value
// that does not fit a signed 32-bit integer gives 0.
std::int32_t textToInteger(std::string_view text);

// An optional sign, digits with an optional '.', and an optional exponent; at least one digit
// before the exponent. No spaces are skipped, and "inf", "nan" or hexadecimal forms are not
// numbers. A value beyond the range of a double gives 0.0.
double textToNumber(std::string_view text);

// The first character, or the character with code 0 for the empty text.
char firstCharacter(std::string_view text);

// At most `count` characters from the 1-based position `start` on; a start below 1 counts as 1,
// a start beyond the end or a count of 0 or less gives the empty text.
std::string substring(std::string_view text, int start, int count);

// The 1-based position of the first occurrence of `pattern`, 0 when there is none (also for the
// empty pattern).
int position(std::string_view text, std::string_view pattern);

} // namespace norvane
