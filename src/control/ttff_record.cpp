#include "control/ttff_record.h"

#include "text/number_format.h"


namespace norvane {

std::string startName(RestartKind kind)
{
    switch (kind) {
    case RestartKind::Cold:
        return "cold";
    case RestartKind::Warm:
        return "warm";
    case RestartKind::Hot:
        break;
    }
    return "hot";
}

std::optional<RestartKind> startFromName(const std::string& name)
{
    for (RestartKind kind : kAutoOrder)
        if (startName(kind) == name)
            return kind;
    return std::nullopt;
}

// Days since 1970-01-01 to a civil date (the proleptic Gregorian calendar), so that no
// platform's time functions are needed for UTC.
namespace {
void civilDate(std::int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int dayOfEra = static_cast<int>(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<int>(yearOfEra + era * 400) + (month <= 2 ? 1 : 0);
}
} // namespace

std::string utcText(std::int64_t utcMs)
{
    constexpr std::int64_t kDayMs = 86400000;
    const std::int64_t days = (utcMs >= 0 ? utcMs : utcMs - kDayMs + 1) / kDayMs;
    const std::int64_t ms = utcMs - days * kDayMs;
    int year = 0, month = 0, day = 0;
    civilDate(days, year, month, day);
    return formatText("%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", year, month, day, static_cast<int>(ms / 3600000),
                      static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                      static_cast<int>(ms % 1000));
}

std::string tenthsText(int tenths)
{
    return formatText("%d.%d", tenths / 10, tenths % 10);
}

namespace {

struct RecordTexts {
    std::string ttff, result, sats, hdop, latitude, longitude;
};

// A timed-out cycle has no fix, so its fix columns stay empty rather than repeat an old fix.
RecordTexts textsOf(const TtffRecord& record)
{
    if (!record.ok())
        return {"", "timeout", "", "", "", ""};
    return {tenthsText(*record.ttffTenths),     "ok",
            std::to_string(record.satsUsed),    fixedText(record.hdop, 2),
            fixedText(record.latitude, 6),      fixedText(record.longitude, 6)};
}

} // namespace

std::string csvRow(const TtffRecord& record)
{
    const RecordTexts t = textsOf(record);
    return std::to_string(record.cycle) + "," + startName(record.kind) + "," + utcText(record.commandUtcMs) +
           "," + t.ttff + "," + (record.fixLost ? "1" : "0") + "," + t.result + "," + t.sats + "," + t.hdop +
           "," + t.latitude + "," + t.longitude;
}

std::string cycleLine(const TtffRecord& record)
{
    const RecordTexts t = textsOf(record);
    const auto shown = [](const std::string& text) { return text.empty() ? std::string("-") : text; };
    return formatText("%5d %-4s %s ttff %6s s  fix lost %d  %-7s sats %2s  hdop %5s  %11s %12s", record.cycle,
                      startName(record.kind), utcText(record.commandUtcMs), shown(t.ttff), record.fixLost ? 1 : 0,
                      t.result, shown(t.sats), shown(t.hdop), shown(t.latitude), shown(t.longitude));
}

} // namespace norvane
