#include "survey/survey_csv.h"

#include "text/number_format.h"

#include <cmath>

namespace norvane {

namespace {

// "hh:mm:ss.sss".
void appendUtcOfDay(std::string& out, std::int64_t msOfDay)
{
    appendZeroPadded(out, msOfDay / 3600000, 2);
    out += ':';
    appendZeroPadded(out, msOfDay / 60000 % 60, 2);
    out += ':';
    appendZeroPadded(out, msOfDay / 1000 % 60, 2);
    out += '.';
    appendZeroPadded(out, msOfDay % 1000, 3);
}

void appendMetres(std::string& out, double value)
{
    appendDecimalText(out, value, 3);
}

} // namespace

void appendSurveyCsvRow(std::string& out, const SurveyRow& row)
{
    const SurveyEpoch& e = row.epoch;
    if (e.utcMsOfDay)
        appendUtcOfDay(out, *e.utcMsOfDay);
    out += ',';
    appendZeroPadded(out, e.quality);
    out += ',';
    if (e.satsUsed)
        appendZeroPadded(out, *e.satsUsed);
    out += ',';
    if (e.hdop)
        appendFixedText(out, *e.hdop, 2);
    out += ',';
    if (!e.fix || !row.offset) {
        out += ",,,,,,";
        return;
    }
    const Enu& o = *row.offset;
    appendFixedText(out, e.latitude, 9);
    out += ',';
    appendFixedText(out, e.longitude, 9);
    out += ',';
    if (e.height)
        appendMetres(out, *e.height);
    out += ',';
    appendMetres(out, o.east);
    out += ',';
    appendMetres(out, o.north);
    out += ',';
    if (e.height)
        appendMetres(out, o.up);
    out += ',';
    appendMetres(out, std::hypot(o.east, o.north));
}

} // namespace norvane
