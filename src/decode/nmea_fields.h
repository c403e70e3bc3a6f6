#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace norvane {

// Sentence fields in the units the measurements work in, beside the receiver state's values
// that are kept exactly as the sentences carry them.

// ddmm.mmmm with its hemisphere letter as signed decimal degrees: 2459.2057 N gives 24.986762.
double signedDegrees(double degreesAndMinutes, char hemisphere);

// A time field hhmmss or hhmmss.sss as milliseconds since midnight, the fraction kept to the
// millisecond; nothing for an empty field or one that is not such a time.
std::optional<std::int64_t> millisecondsOfDay(std::string_view text);

} // namespace norvane
