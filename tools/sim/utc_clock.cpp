#include "sim/utc_clock.h"

#include <chrono>
#include <cstdio>

namespace norvane::sim {

namespace {

using namespace std::chrono;

sys_seconds toSysSeconds(const UtcTime& t)
{
    sys_days date = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                   day{static_cast<unsigned>(t.day)}};
    return date + hours{t.hour} + minutes{t.minute} + seconds{t.second};
}

UtcTime fromSysSeconds(sys_seconds s)
{
    sys_days date = floor<days>(s);
    year_month_day ymd{date};
    hh_mm_ss<seconds> tod{s - date};
    return UtcTime{static_cast<int>(ymd.year()),
                   static_cast<int>(static_cast<unsigned>(ymd.month())),
                   static_cast<int>(static_cast<unsigned>(ymd.day())),
                   static_cast<int>(tod.hours().count()),
                   static_cast<int>(tod.minutes().count()),
                   static_cast<int>(tod.seconds().count())};
}

} // namespace

std::optional<UtcTime> parseUtcTime(const std::string& text)
{
    UtcTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &tail) != 6)
        return std::nullopt;
    year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                       day{static_cast<unsigned>(t.day)}};
    if (!ymd.ok() || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 ||
        t.second > 59)
        return std::nullopt;
    return t;
}

UtcTime currentUtcTime()
{
    return fromSysSeconds(floor<seconds>(system_clock::now()));
}

UtcTime addSeconds(const UtcTime& start, std::int64_t secondsToAdd)
{
    return fromSysSeconds(toSysSeconds(start) + seconds{secondsToAdd});
}

std::string nmeaTimeOfDay(const UtcTime& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d.%03d", time.hour, time.minute, time.second, time.millisecond);
    return text;
}

std::string nmeaDate(const UtcTime& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", time.day, time.month, time.year % 100);
    return text;
}

} // namespace norvane::sim
