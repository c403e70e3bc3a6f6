#include "survey/survey_reference.h"

#include "text/number_text.h"

#include <cmath>

namespace norvane {

namespace {

// Heights from the deepest point below the ellipsoid to well above an aircraft's.
constexpr double kLowestHeight = -11000;
constexpr double kHighestHeight = 100000;

std::optional<double> within(std::string_view text, double lowest, double highest, const char* what,
                             std::string& error)
{
    const auto value = numberOfText(text);
    if (!value || !std::isfinite(*value) || *value < lowest || *value > highest) {
        error = std::string(what) + " must be a number from " + std::to_string(static_cast<long>(lowest)) + " to " +
                std::to_string(static_cast<long>(highest)) + ": \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<Geodetic> referenceOfFields(std::string_view latitude, std::string_view longitude,
                                          std::string_view height, std::string& error)
{
    const auto lat = within(latitude, -90, 90, "latitude", error);
    if (!lat)
        return std::nullopt;
    const auto lon = within(longitude, -180, 180, "longitude", error);
    if (!lon)
        return std::nullopt;
    const auto h = within(height, kLowestHeight, kHighestHeight, "height", error);
    if (!h)
        return std::nullopt;
    return Geodetic{*lat, *lon, *h};
}

std::optional<Geodetic> referenceOfText(std::string_view text, std::string& error)
{
    const auto first = text.find(',');
    const auto second = first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos || text.find(',', second + 1) != std::string_view::npos) {
        error = "a reference is LAT,LON,H: \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    return referenceOfFields(text.substr(0, first), text.substr(first + 1, second - first - 1),
                             text.substr(second + 1), error);
}

} // namespace norvane
