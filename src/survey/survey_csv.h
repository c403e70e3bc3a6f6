#pragma once

#include "survey/survey.h"

#include <cstdint>
#include <string>

namespace norvane {

// The survey's CSV: one row per epoch, from which every figure can be recomputed. Latitude and
// longitude in signed decimal degrees with 9 decimals, metres with 3; the fix columns are empty
// for an epoch without a fix, height and up also for a fix without a height.
constexpr const char* kSurveyCsvHeader =
    "utc,quality,sats_used,hdop,latitude,longitude,height_m,east_m,north_m,up_m,horizontal_m";
constexpr const char* kSurveyCsvPrefix = "norvane-survey";

// One epoch's row, written at the end of `out`: a survey of a long recording writes every row
// into the same string.
void appendSurveyCsvRow(std::string& out, const SurveyRow& row);

} // namespace norvane
