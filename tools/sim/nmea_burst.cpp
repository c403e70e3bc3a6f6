#include "sim/nmea_burst.h"

#include "sim/nmea_sentence.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace norvane::sim {

namespace {

struct Dilution {
    double horizontal, vertical, position;
};

// Fewer satellites spread the fix wider; good enough to make the figures move as they should.
Dilution dilutionFor(std::size_t used)
{
    double n = used > 0 ? static_cast<double>(used) : 1.0;
    double horizontal = 0.6 + 4.0 / n;
    double vertical = 0.9 + 5.0 / n;
    return {horizontal, vertical, std::sqrt(horizontal * horizontal + vertical * vertical)};
}

std::string positionFields(const BurstInput& in)
{
    if (in.fixMode < '2')
        return ",,,";
    const FixPosition& p = in.position;
    return formatAngle(p.latitude, 2, in.angleDecimals) + "," + p.latHemisphere + "," +
           formatAngle(p.longitude, 3, in.angleDecimals) + "," + p.lonHemisphere;
}

// $GPGGA,120000.000,2459.2057,N,12130.1234,E,1,09,1.0,56.3,M,15.2,M,,*hh
std::string gga(const BurstInput& in, std::size_t used)
{
    bool fix = in.fixMode >= '2';
    std::string body = in.talker + "GGA," + nmeaTimeOfDay(in.time) + "," + positionFields(in) + ",";
    body += fix ? "1," : "0,";
    body += twoDigits(static_cast<int>(used)) + ",";
    body += fix ? oneDecimal(dilutionFor(used).horizontal) + "," : ",";
    body += in.fixMode == '3' ? fixedDecimals(in.position.altitude, in.altitudeDecimals) + ",M,15.2,M,,"
                              : ",M,,M,,";
    return nmeaSentence(body);
}

// $GPGSA,A,3,02,05,07,,,,,,,,,,1.9,1.0,1.5*hh
std::string gsa(const BurstInput& in, const std::vector<int>& used)
{
    std::string body = in.talker + "GSA,A," + in.fixMode + ",";
    for (int slot = 0; slot < kGsaSlots; ++slot)
        body += (slot < static_cast<int>(used.size()) ? twoDigits(used[slot]) : std::string()) + ",";
    if (in.fixMode >= '2') {
        Dilution d = dilutionFor(used.size());
        body += oneDecimal(d.position) + "," + oneDecimal(d.horizontal) + "," + oneDecimal(d.vertical);
    } else {
        body += ",,";
    }
    return nmeaSentence(body);
}

// $GPGSV,3,1,11,02,04,012,,05,35,045,38,07,62,101,41,10,20,133,33*hh
std::vector<std::string> gsv(const BurstInput& in)
{
    const auto& sky = in.sky;
    int count = static_cast<int>(sky.size());
    int messages = std::max(1, (count + kGsvPerMessage - 1) / kGsvPerMessage);
    std::vector<std::string> sentences;
    for (int m = 0; m < messages; ++m) {
        std::string body = in.talker + "GSV," + std::to_string(messages) + "," + std::to_string(m + 1) + "," +
                           twoDigits(count);
        for (int i = m * kGsvPerMessage; i < count && i < (m + 1) * kGsvPerMessage; ++i) {
            char satellite[32];
            std::snprintf(satellite, sizeof satellite, ",%02d,%02d,%03d,", sky[i].prn, sky[i].elevation,
                          sky[i].azimuth);
            body += satellite + (sky[i].snr >= 0 ? twoDigits(sky[i].snr) : std::string());
        }
        sentences.push_back(nmeaSentence(body));
    }
    return sentences;
}

// $GPRMC,120000.000,A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A*hh
std::string rmc(const BurstInput& in)
{
    bool fix = in.fixMode >= '2';
    std::string body =
        in.talker + "RMC," + nmeaTimeOfDay(in.time) + (fix ? ",A," : ",V,") + positionFields(in);
    body += fix ? ",0.00,0.00," : ",,,";
    body += nmeaDate(in.time) + ",,," + (fix ? "A" : "N");
    return nmeaSentence(body);
}

} // namespace

std::vector<int> usedPrns(char fixMode, const std::vector<SatelliteView>& sky)
{
    std::vector<int> used;
    if (fixMode < '2')
        return used;
    std::size_t wanted = fixMode == '2' ? 3 : kGsaSlots;
    for (const SatelliteView& satellite : sky)
        if (SkyModel::usable(satellite) && used.size() < wanted)
            used.push_back(satellite.prn);
    return used;
}

std::vector<std::string> nmeaBurst(const BurstInput& input)
{
    std::vector<int> used = usedPrns(input.fixMode, input.sky);
    std::vector<std::string> burst{gga(input, used.size()), gsa(input, used)};
    for (std::string& sentence : gsv(input))
        burst.push_back(std::move(sentence));
    burst.push_back(rmc(input));
    return burst;
}

} // namespace norvane::sim
