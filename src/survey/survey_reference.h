#pragma once

#include "survey/geodesy.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvane {

// A surveyed reference point as the user gives it: latitude and longitude in signed decimal
// degrees, ellipsoidal height in metres, '.' as the decimal point. Nothing, with the reason in
// `error`, for a text that is not a number or a point off the Earth's ranges.
std::optional<Geodetic> referenceOfFields(std::string_view latitude, std::string_view longitude,
                                          std::string_view height, std::string& error);
// The same as one text "LAT,LON,H", e.g. "24.986762,121.502057,71.5".
std::optional<Geodetic> referenceOfText(std::string_view text, std::string& error);

} // namespace norvane
