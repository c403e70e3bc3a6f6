#pragma once

#include "control/restart_kind.h"

#include <cstdint>
#include <optional>
#include <string>

namespace norvane {

// One restart cycle of a TTFF run as it is printed, shown and kept in the CSV.
struct TtffRecord {
    int cycle = 0; // 1, 2, ... within the run
    RestartKind kind = RestartKind::Hot;
    std::int64_t commandUtcMs = 0; // host clock, milliseconds since 1970-01-01 00:00 UTC
    // Tenths of a second from the written command to the first 3D fix after the fix was lost;
    // nothing when the cycle timed out.
    std::optional<int> ttffTenths;
    bool fixLost = false; // false flags a receiver that never dropped its fix
    // At the fix; meaningful only when ttffTenths holds a value.
    int satsUsed = 0;
    double hdop = 0;
    double latitude = 0;  // signed decimal degrees, south negative
    double longitude = 0; // signed decimal degrees, west negative

    bool ok() const { return ttffTenths.has_value(); }
};

// "hot", "warm", "cold": the start column and the --start option.
std::string startName(RestartKind kind);
std::optional<RestartKind> startFromName(const std::string& name);

// "2026-12-09T06:23:00.123Z".
std::string utcText(std::int64_t utcMs);
// 42 gives "4.2".
std::string tenthsText(int tenths);

constexpr const char* kTtffCsvHeader =
    "cycle,start,command_utc,ttff_s,fix_lost,result,sats_used,hdop,latitude,longitude";
std::string csvRow(const TtffRecord& record);
// The line the headless runner prints for a finished cycle: the CSV row's values, aligned.
std::string cycleLine(const TtffRecord& record);

} // namespace norvane
