#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace norvane {

// Numbers held as text: sentence fields, the rate box and the restart test window's fields.
// All read an optional sign and then digits the same way; they differ, each as its caller has
// always read them, in whether spaces may lead, which digits count and what a text that is not
// such a number, or is too large, gives.

// Leading spaces are skipped, then an optional sign and either decimal digits or "0x" followed
// by hexadecimal digits in either case. Nothing may follow the digits, not even a space. Any
// other text, and a value that does not fit a signed 32-bit integer, gives 0.
std::int32_t textToInteger(std::string_view text);

// An optional sign, digits with an optional '.', and an optional exponent; at least one digit
// before the exponent. No spaces are skipped, and "inf", "nan" or hexadecimal forms are not
// numbers. Any other text, and a value beyond the range of a double, gives 0.0.
double textToNumber(std::string_view text);

// The same reading, but nothing for a text that is not such a number, so that an empty field
// and a field of 0 can be told apart.
std::optional<double> numberOfText(std::string_view text);

// An optional sign and decimal digits, nothing else, not even spaces; any other text gives 0.
// Digit strings beyond the 32-bit range give the nearest 32-bit bound.
int integerOfText(std::string_view text);

// Leading spaces are skipped, then a number as textToNumber reads it, cut towards zero; nothing
// for any other text. A value beyond the 32-bit range gives the nearest 32-bit bound, and one
// beyond the range of a double, large or tiny, the upper bound.
std::optional<int> truncatedNumber(std::string_view text);

} // namespace norvane
