#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane {
namespace {

// Sentences as the receive loop hands them over: a line feed last.
std::string held(const std::string& sentence)
{
    return sentence + "\n";
}

TEST(FieldSplitter, NumbersFieldsFromAfterTheAddressAndStopsAtTheStar)
{
    std::vector<std::string> fields;
    forEachField(held("$GPXYZ,a,,bc*1F,ignored"), [&](int field, const std::string& text) {
        EXPECT_EQ(field, static_cast<int>(fields.size()));
        fields.push_back(text);
        return FieldAction::Continue;
    });
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "", "bc"}));
}

TEST(FieldSplitter, StopEndsTheSplitAndTheLastCharacterIsNeverExamined)
{
    std::vector<std::string> fields;
    forEachField("$GPXYZ,1,2,3,4", [&](int field, const std::string& text) {
        fields.push_back(text);
        return field == 1 ? FieldAction::Stop : FieldAction::Continue;
    });
    EXPECT_EQ(fields, (std::vector<std::string>{"1", "2"}));

    // A field that runs into the last character is never complete.
    fields.clear();
    forEachField("$GPXYZ,1,2\n", [&](int, const std::string& text) {
        fields.push_back(text);
        return FieldAction::Continue;
    });
    EXPECT_EQ(fields, (std::vector<std::string>{"1"}));

    forEachField("$GP", [&](int, const std::string&) {
        ADD_FAILURE() << "a text shorter than its address field has no fields";
        return FieldAction::Continue;
    });
}

TEST(TimeOfDay, GivesTheDigitPairsExactly)
{
    ReceiverState state;
    setTimeOfDay(state, "235959.999");
    EXPECT_EQ(state.utc_hour, 23);
    EXPECT_EQ(state.utc_minute, 59);
    EXPECT_EQ(state.utc_second, 59);

    // Every time of a day, with the fraction that is hardest for a scaled double.
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m)
            for (int s = 0; s < 60; ++s) {
                char text[16];
                std::snprintf(text, sizeof text, "%02d%02d%02d.999", h, m, s);
                setTimeOfDay(state, text);
                ASSERT_EQ(state.utc_hour * 10000 + state.utc_minute * 100 + state.utc_second,
                          h * 10000 + m * 100 + s)
                    << text;
            }

    setTimeOfDay(state, "");
    EXPECT_EQ(state.utc_hour, 0);
    EXPECT_EQ(state.utc_minute, 0);
    EXPECT_EQ(state.utc_second, 0);
}

TEST(TimeOfDay, ANumberTooLargeForTheFieldsGivesZeros)
{
    ReceiverState state;
    state.utc_hour = 5;
    setTimeOfDay(state, "1e300");
    EXPECT_EQ(state.utc_hour, 0);
    EXPECT_EQ(state.utc_minute, 0);
    EXPECT_EQ(state.utc_second, 0);
}

TEST(Date, GivesDayMonthAndYearDigitPairs)
{
    ReceiverState state;
    setDate(state, "191007");
    EXPECT_EQ(state.date_day, 19);
    EXPECT_EQ(state.date_month, 10);
    EXPECT_EQ(state.date_year, 7);
    setDate(state, "311299");
    EXPECT_EQ(state.date_day, 31);
    EXPECT_EQ(state.date_month, 12);
    EXPECT_EQ(state.date_year, 99);
    setDate(state, "");
    EXPECT_EQ(state.date_day, 0);
    EXPECT_EQ(state.date_month, 0);
    EXPECT_EQ(state.date_year, 0);
}

TEST(DecodeGga, StoresTheFixAsCarried)
{
    ReceiverState state;
    decodeGga(state, held("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76"));
    EXPECT_EQ(state.utc_hour, 9);
    EXPECT_EQ(state.utc_minute, 27);
    EXPECT_EQ(state.utc_second, 50);
    EXPECT_DOUBLE_EQ(state.latitude, 5321.6802);
    EXPECT_EQ(state.lat_hemisphere, 'N');
    EXPECT_DOUBLE_EQ(state.longitude, 630.3372);
    EXPECT_EQ(state.lon_hemisphere, 'W');
    EXPECT_EQ(state.gga_quality, '1');
    EXPECT_EQ(state.sats_used, 8);
    EXPECT_DOUBLE_EQ(state.hdop, 1.03);
    EXPECT_DOUBLE_EQ(state.altitude, 61.7);
}

TEST(DecodeGga, WithoutAFixZeroesPositionAndHemispheres)
{
    ReceiverState state;
    decodeGga(state, held("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76"));
    decodeGga(state, held("$GPGGA,235959.999,,,,,0,00,,,M,,M,,*4B"));
    EXPECT_EQ(state.utc_hour, 23);
    EXPECT_EQ(state.utc_minute, 59);
    EXPECT_EQ(state.utc_second, 59);
    EXPECT_EQ(state.latitude, 0.0);
    EXPECT_EQ(state.longitude, 0.0);
    EXPECT_EQ(state.lat_hemisphere, '\0');
    EXPECT_EQ(state.lon_hemisphere, '\0');
    EXPECT_EQ(state.gga_quality, '0');
    EXPECT_EQ(state.sats_used, 0);
    EXPECT_EQ(state.altitude, 0.0);
}

TEST(DecodeGga, ASentenceEndingEarlyLeavesTheRestAlone)
{
    ReceiverState state;
    state.altitude = 12.0;
    state.hdop = 3.0;
    decodeGga(state, held("$GPGGA,120000,4807.038,N*00"));
    EXPECT_EQ(state.utc_hour, 12);
    EXPECT_DOUBLE_EQ(state.latitude, 4807.038);
    EXPECT_EQ(state.lat_hemisphere, 'N');
    EXPECT_EQ(state.altitude, 12.0);
    EXPECT_EQ(state.hdop, 3.0);
}

TEST(DecodeGsa, FillsFixModePrnsAndPdop)
{
    ReceiverState state;
    for (int& prn : state.used_prns)
        prn = 99;
    decodeGsa(state, held("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39"));
    EXPECT_EQ(state.fix_mode, '3');
    const int expected[12] = {4, 5, 0, 9, 12, 0, 0, 24, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(state.used_prns[i], expected[i]) << i;
    EXPECT_EQ(state.used_prns[12], 99) << "slots beyond the twelve PRN fields are not GSA's";
    EXPECT_DOUBLE_EQ(state.pdop, 2.5);
    EXPECT_EQ(state.hdop, 0.0) << "GSA's HDOP is not read";
}

TEST(DecodeGsa, ThreePrnsLeaveTheOtherNineSlotsAtZero)
{
    ReceiverState state;
    decodeGsa(state, held("$GNGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,1.8,1.0,1.5*00"));
    decodeGsa(state, held("$GNGSA,A,2,07,19,22,,,,,,,,,,3.1,2.0,2.4*00"));
    EXPECT_EQ(state.fix_mode, '2');
    EXPECT_EQ(state.used_prns[0], 7);
    EXPECT_EQ(state.used_prns[1], 19);
    EXPECT_EQ(state.used_prns[2], 22);
    for (int i = 3; i < 12; ++i)
        EXPECT_EQ(state.used_prns[i], 0) << i;
    EXPECT_DOUBLE_EQ(state.pdop, 3.1);
}

TEST(DecodeGsv, MessageTwoOfThreeFillsEntriesFourToSeven)
{
    ReceiverState state;
    decodeGsv(state, held("$GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00*74"));
    EXPECT_EQ(state.gsv_count, 3);
    EXPECT_EQ(state.gsv_number, 2);
    EXPECT_EQ(state.sats_in_view, 11);
    const int prn[4] = {14, 16, 18, 19}, elevation[4] = {25, 57, 67, 40}, azimuth[4] = {170, 208, 296, 246},
              snr[4] = {0, 39, 40, 0};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(state.sat_prn[4 + k], prn[k]);
        EXPECT_EQ(state.sat_elevation[4 + k], elevation[k]);
        EXPECT_EQ(state.sat_azimuth[4 + k], azimuth[k]);
        EXPECT_EQ(state.sat_snr[4 + k], snr[k]);
    }
    for (int n = 0; n < kSatelliteSlots; ++n) {
        if (n < 4 || n > 7) {
            EXPECT_EQ(state.sat_prn[n], 0) << n;
        }
    }
}

TEST(DecodeGsv, ALastMessageWithOneSatelliteLeavesTheOtherEntries)
{
    ReceiverState state;
    for (int n = 8; n < 12; ++n) {
        state.sat_prn[n] = 50 + n;
        state.sat_snr[n] = 30;
        state.sat_status[n] = kSatUsed;
    }
    decodeGsv(state, held("$GPGSV,3,3,09,32,11,045,*4C"));
    EXPECT_EQ(state.sat_prn[8], 32);
    EXPECT_EQ(state.sat_elevation[8], 11);
    EXPECT_EQ(state.sat_azimuth[8], 45);
    EXPECT_EQ(state.sat_snr[8], 0);
    EXPECT_EQ(state.sat_status[8], kSatInView);
    for (int n = 9; n < 12; ++n) {
        EXPECT_EQ(state.sat_prn[n], 50 + n);
        EXPECT_EQ(state.sat_snr[n], 30);
        EXPECT_EQ(state.sat_status[n], kSatUsed);
    }
}

TEST(DecodeGsv, ASatelliteCutOffBeforeItsSnrKeepsSnrAndStatus)
{
    ReceiverState state;
    state.sat_snr[1] = 44;
    state.sat_status[1] = kSatUsed;
    decodeGsv(state, held("$GPGSV,1,1,02,05,40,100,30,07,20,200*00"));
    EXPECT_EQ(state.sat_prn[1], 7);
    EXPECT_EQ(state.sat_azimuth[1], 200);
    EXPECT_EQ(state.sat_snr[1], 44);
    EXPECT_EQ(state.sat_status[1], kSatUsed);
}

TEST(DecodeGsv, AMessageNumberOutsideOneToTenStoresNoSatellite)
{
    for (const char* number : {"", "0", "11", "-1", "x", "2147483647"}) {
        ReceiverState state;
        state.sat_prn[0] = 3; // an entry an index wrapped to 0 or below would hit
        const std::string sentence = std::string("$GPGSV,12,") + number + ",45,14,25,170,33,16,57,208,39*00";
        decodeGsv(state, held(sentence));
        EXPECT_EQ(state.gsv_count, 12) << sentence;
        EXPECT_EQ(state.sats_in_view, 45) << sentence;
        EXPECT_EQ(state.sat_prn[0], 3) << sentence;
        for (int n = 1; n < kSatelliteSlots; ++n) {
            EXPECT_EQ(state.sat_prn[n], 0) << sentence;
            EXPECT_EQ(state.sat_snr[n], 0) << sentence;
        }
    }
    // Message ten, the last the table holds, still fills entries 36 to 39.
    ReceiverState state;
    decodeGsv(state, held("$GPGSV,10,10,40,81,10,010,11,82,20,020,22,83,30,030,33,84,40,040,44*00"));
    EXPECT_EQ(state.sat_prn[36], 81);
    EXPECT_EQ(state.sat_snr[39], 44);
}

TEST(DecodeRmc, StoresTimeStatusPositionSpeedDateAndMode)
{
    ReceiverState state;
    decodeRmc(state, held("$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,1.5,E,A*43"));
    EXPECT_EQ(state.utc_hour, 9);
    EXPECT_EQ(state.utc_minute, 27);
    EXPECT_EQ(state.utc_second, 50);
    EXPECT_EQ(state.rmc_status, 'A');
    EXPECT_DOUBLE_EQ(state.latitude, 5321.6802);
    EXPECT_EQ(state.lat_hemisphere, 'N');
    EXPECT_DOUBLE_EQ(state.longitude, 630.3372);
    EXPECT_EQ(state.lon_hemisphere, 'W');
    EXPECT_DOUBLE_EQ(state.speed_knots, 0.02);
    EXPECT_DOUBLE_EQ(state.course, 31.66);
    EXPECT_EQ(state.date_day, 28);
    EXPECT_EQ(state.date_month, 5);
    EXPECT_EQ(state.date_year, 11);
    EXPECT_DOUBLE_EQ(state.mag_variation, 1.5);
    EXPECT_EQ(state.mag_var_direction, 'E');
    EXPECT_EQ(state.rmc_mode, 'A');
}

TEST(DecodeRmc, AWarningWithEmptyPositionOverwritesThePosition)
{
    ReceiverState state;
    state.latitude = 2459.2057;
    state.longitude = 12130.1234;
    state.lat_hemisphere = 'N';
    decodeRmc(state, held("$GPRMC,120000.000,V,,,,,,,191007,,,N*00"));
    EXPECT_EQ(state.rmc_status, 'V');
    EXPECT_EQ(state.latitude, 0.0);
    EXPECT_EQ(state.longitude, 0.0);
    EXPECT_EQ(state.lat_hemisphere, '\0');
    EXPECT_EQ(state.date_day, 19);
    EXPECT_EQ(state.date_month, 10);
    EXPECT_EQ(state.date_year, 7);
    EXPECT_EQ(state.rmc_mode, 'N');
}

TEST(ResetSatellites, ClearsTheSatelliteDataOnly)
{
    ReceiverState state;
    decodeGga(state, held("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76"));
    decodeGsa(state, held("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39"));
    decodeGsv(state, held("$GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00*74"));
    state.used_prns[39] = 1;
    state.sat_status[39] = kSatUsedWithoutSignal;
    resetSatellites(state);
    for (int n = 0; n < kSatelliteSlots; ++n) {
        EXPECT_EQ(state.used_prns[n], 0);
        EXPECT_EQ(state.sat_prn[n], 0);
        EXPECT_EQ(state.sat_elevation[n], 0);
        EXPECT_EQ(state.sat_azimuth[n], 0);
        EXPECT_EQ(state.sat_snr[n], 0);
        EXPECT_EQ(state.sat_status[n], 0);
    }
    EXPECT_EQ(state.fix_mode, '0');
    EXPECT_EQ(state.gsv_count, 0);
    EXPECT_EQ(state.sats_in_view, 11);
    EXPECT_DOUBLE_EQ(state.pdop, 2.5);
    EXPECT_DOUBLE_EQ(state.latitude, 5321.6802);
    EXPECT_EQ(state.utc_minute, 27);
}

} // namespace
} // namespace norvane
