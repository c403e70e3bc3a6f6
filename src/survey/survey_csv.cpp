#include "survey/survey_csv.h"

#include "text/number_format.h"

#include <cmath>

namespace norvane {

std::string utcOfDayText(std::int64_t msOfDay)
{
    return formatText("%02d:%02d:%02d.%03d", static_cast<int>(msOfDay / 3600000), static_cast<int>(msOfDay / 60000 % 60),
                      static_cast<int>(msOfDay / 1000 % 60), static_cast<int>(msOfDay % 1000));
}

std::string decimalText(double value, int decimals)
{
    const std::string text = fixedText(value, decimals);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        return text.substr(1);
    return text;
}

namespace {

std::string metres(double value)
{
    return decimalText(value, 3);
}

} // namespace

std::string surveyCsvRow(const SurveyRow& row)
{
    const SurveyEpoch& e = row.epoch;
    std::string text = (e.utcMsOfDay ? utcOfDayText(*e.utcMsOfDay) : std::string()) + "," +
                       std::to_string(e.quality) + "," + (e.satsUsed ? std::to_string(*e.satsUsed) : std::string()) +
                       "," + (e.hdop ? fixedText(*e.hdop, 2) : std::string()) + ",";
    if (!e.fix || !row.offset)
        return text + ",,,,,,";
    const Enu& o = *row.offset;
    const std::string height = e.height ? metres(*e.height) : std::string();
    const std::string up = e.height ? metres(o.up) : std::string();
    return text + fixedText(e.latitude, 9) + "," + fixedText(e.longitude, 9) + "," + height + "," + metres(o.east) +
           "," + metres(o.north) + "," + up + "," + metres(std::hypot(o.east, o.north));
}

} // namespace norvane
