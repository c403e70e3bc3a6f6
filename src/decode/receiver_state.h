#pragma once

#include "decode/satellite_sky.h"

#include <string>

namespace norvane {

// The satellites-in-view table holds one GSV group.
constexpr int kSatelliteSlots = kGroupSatellites;

// Satellite status values of sat_status.
constexpr int kSatInView = 0;
constexpr int kSatUsed = 101;
constexpr int kSatUsedWithoutSignal = 202;

// Receiver families.
constexpr int kVexaFamily = 1;
constexpr int kLumoFamily = 2;

// What the program last learned from the receiver. Values are kept exactly as the sentences
// carry them (ddmm.mmmm positions, knots, metres); every field starts at zero.
struct ReceiverState {
    int receiver_family = 0;
    int utc_hour = 0;
    int utc_minute = 0;
    int utc_second = 0;
    double latitude = 0.0;
    char lat_hemisphere = 0;
    double longitude = 0.0;
    char lon_hemisphere = 0;
    char gga_quality = 0;
    int sats_used = 0;
    double hdop = 0.0;
    double altitude = 0.0;
    char fix_mode = 0;
    int used_prns[kSatelliteSlots] = {};
    double pdop = 0.0;
    int gsv_count = 0;
    int gsv_number = 0;
    int sats_in_view = 0;
    int sat_prn[kSatelliteSlots] = {};
    int sat_elevation[kSatelliteSlots] = {};
    int sat_azimuth[kSatelliteSlots] = {};
    int sat_snr[kSatelliteSlots] = {};
    int sat_status[kSatelliteSlots] = {};
    char rmc_status = 0;
    double speed_knots = 0.0;
    double course = 0.0;
    int date_year = 0;
    int date_month = 0;
    int date_day = 0;
    double mag_variation = 0.0;
    char mag_var_direction = 0;
    char rmc_mode = 0;
    // The satellites of every system, beside the table above that a receiver of one talker
    // without system or signal IDs is shown from, as it always was.
    SatelliteSky sky;
};

// Zeroes the used-PRN list and the satellites-in-view table (of every system), sets fix_mode
// to '0' and gsv_count to 0. Time, position and the other fix fields stay.
void resetSatellites(ReceiverState& state);

// Texts the banner handling carries from one banner line to the next.
struct IdentificationTexts {
    std::string bannerName;
    std::string kernelVersion;
    std::string kernelLine;
    std::string versionLine;
};

// The receiver state with the values kept beside it.
struct Receiver {
    ReceiverState state;
    int ttffTicks = 0;        // receive-loop ticks that ended without a 3D fix
    std::string sentenceText; // characters since the last '$', beginning with it
    IdentificationTexts identification;
};

} // namespace norvane
