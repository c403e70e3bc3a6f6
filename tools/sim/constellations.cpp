#include "sim/constellations.h"

#include "sim/nmea_sentence.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sstream>

namespace norvane::sim {

namespace {

struct SystemPlan {
    const char* talker;
    int systemId;
    int firstPrn;       // as NMEA 4.10 numbers the system
    int firstPrnNmea40; // as a receiver without system IDs numbers it, so that GN tells it
    std::vector<int> signals;
    int l1Signal; // NMEA 4.11 signal IDs of the bands, 0 for none
    int l5Signal;
    int satellites = 12; // the system's PRNs: this many, every `spacing`-th number from the first
    int spacing = 3;
};

// Without bands: GPS L1 C/A and L5-Q, GLONASS G1 and G2, Galileo E1 and E5a, BeiDou B1I and
// B2a, QZSS L1 C/A and L5-Q. With bands: GPS L1 C/A and L5-I, GLONASS G1 only, Galileo E1 and
// E5a, BeiDou B1I and B2a, QZSS L1 C/A and L5-I. QZSS has a few satellites of its own.
const std::vector<SystemPlan>& plans()
{
    static const std::vector<SystemPlan> all{{"GP", 1, 1, 1, {1, 8}, 1, 7},
                                             {"GL", 2, 65, 65, {1, 3}, 1, 0},
                                             {"GA", 3, 1, 301, {7, 1}, 7, 1},
                                             {"GB", 4, 1, 401, {1, 5}, 1, 5},
                                             {"GQ", 5, 1, 193, {1, 8}, 1, 7, 5, 1}};
    return all;
}

const SystemPlan* planOf(const std::string& talker)
{
    for (const SystemPlan& plan : plans())
        if (talker == plan.talker)
            return &plan;
    return nullptr;
}

std::vector<int> prnsOf(const SystemPlan& plan, int first)
{
    std::vector<int> prns(static_cast<std::size_t>(plan.satellites));
    // Every third number, so the systems' skies do not look alike.
    for (int i = 0; i < plan.satellites; ++i)
        prns[static_cast<std::size_t>(i)] = first + (i * plan.spacing) % 32;
    return prns;
}

// The signal IDs of the bands asked for that the system has.
std::vector<int> bandSignals(const SystemPlan& plan, const std::vector<std::string>& bands)
{
    std::vector<int> signals;
    for (const std::string& band : bands) {
        const int signal = band == "L1" ? plan.l1Signal : plan.l5Signal;
        if (signal != 0)
            signals.push_back(signal);
    }
    return signals;
}

std::string hexDigit(int value)
{
    return std::string(1, "0123456789ABCDEF"[value & 0xF]);
}

// A second signal is heard from every other satellite, a few dB weaker.
std::vector<SatelliteView> onSignal(const std::vector<SatelliteView>& sky, std::size_t signalIndex)
{
    if (signalIndex == 0)
        return sky;
    std::vector<SatelliteView> heard;
    for (std::size_t i = 0; i < sky.size(); i += 2) {
        SatelliteView view = sky[i];
        if (view.snr >= 0)
            view.snr = std::max(0, view.snr - 4);
        heard.push_back(view);
    }
    return heard;
}

// Every satellite heard on L5 as well, a few dB stronger or weaker than on L1, the same each
// second for the same satellite.
std::vector<SatelliteView> onL5(const std::vector<SatelliteView>& sky)
{
    constexpr int kOffsets[] = {3, -2, 4, -3, 2, -4};
    std::vector<SatelliteView> heard = sky;
    for (SatelliteView& view : heard) {
        if (view.snr >= 0)
            view.snr = std::clamp(view.snr + kOffsets[view.prn % 6], 0, 99);
    }
    return heard;
}

std::vector<std::string> gsvGroup(const std::string& talker, const std::vector<SatelliteView>& sky,
                                  const std::string& signalSuffix)
{
    const int count = static_cast<int>(sky.size());
    const int messages = std::max(1, (count + kGsvPerMessage - 1) / kGsvPerMessage);
    std::vector<std::string> sentences;
    for (int m = 0; m < messages; ++m) {
        std::string body =
            talker + "GSV," + std::to_string(messages) + "," + std::to_string(m + 1) + "," + twoDigits(count);
        for (int i = m * kGsvPerMessage; i < count && i < (m + 1) * kGsvPerMessage; ++i) {
            const SatelliteView& s = sky[static_cast<std::size_t>(i)];
            char satellite[40];
            std::snprintf(satellite, sizeof satellite, ",%02d,%02d,%03d,", s.prn, s.elevation, s.azimuth);
            body += satellite + (s.snr >= 0 ? twoDigits(s.snr) : std::string());
        }
        sentences.push_back(nmeaSentence(body + signalSuffix));
    }
    return sentences;
}

// $GNGSA,A,3,02,05,07,,,,,,,,,,1.9,1.0,1.5,1*hh
std::string gsa(char fixMode, const std::vector<int>& used, std::size_t allUsed, const std::string& idSuffix)
{
    std::string body = std::string("GNGSA,A,") + fixMode + ",";
    for (int slot = 0; slot < kGsaSlots; ++slot)
        body +=
            (slot < static_cast<int>(used.size()) ? twoDigits(used[static_cast<std::size_t>(slot)]) : "") +
            ",";
    if (fixMode >= '2') {
        const double n = static_cast<double>(std::max<std::size_t>(allUsed, 1));
        body += oneDecimal(0.9 + 5.0 / n) + "," + oneDecimal(0.6 + 3.0 / n) + "," + oneDecimal(0.7 + 4.0 / n);
    } else {
        body += ",,";
    }
    return nmeaSentence(body + idSuffix);
}

} // namespace

bool parseSystems(const std::string& text, std::vector<std::string>& systems)
{
    systems.clear();
    std::istringstream in(text);
    for (std::string talker; std::getline(in, talker, ',');) {
        if (planOf(talker) == nullptr || std::count(systems.begin(), systems.end(), talker) != 0)
            return false;
        systems.push_back(talker);
    }
    return !systems.empty() && text.back() != ',';
}

bool parseBands(const std::string& text, std::vector<std::string>& bands)
{
    if (text != "L1" && text != "L1,L5")
        return false;
    bands = text == "L1" ? std::vector<std::string>{"L1"} : std::vector<std::string>{"L1", "L5"};
    return true;
}

bool gpsOnly(const std::vector<std::string>& systems)
{
    return systems.size() == 1 && systems[0] == "GP";
}

Constellations::Constellations(const std::vector<std::string>& talkers, bool nmea410, unsigned seed,
                               const std::vector<std::string>& bands)
    : nmea410_(nmea410), bands_(!bands.empty())
{
    unsigned n = 0;
    for (const std::string& talker : talkers) {
        const SystemPlan& plan = *planOf(talker);
        const int first = nmea410 ? plan.firstPrn : plan.firstPrnNmea40;
        systems_.push_back({plan.talker, plan.systemId, bands_ ? bandSignals(plan, bands) : plan.signals,
                            SkyModel(seed + 97 * n++, prnsOf(plan, first))});
    }
}

std::vector<std::string> Constellations::burst(const BurstInput& input, double seconds) const
{
    std::vector<std::vector<SatelliteView>> skies;
    std::vector<std::vector<int>> used;
    std::size_t allUsed = 0;
    for (const System& system : systems_) {
        skies.push_back(input.fixMode == '1' ? system.sky.searchingAt(seconds) : system.sky.at(seconds));
        used.push_back(usedPrns(input.fixMode, skies.back()));
        allUsed += used.back().size();
    }
    // GGA and RMC as the one-system receiver sends them, with the combined talker.
    BurstInput combined = input;
    combined.talker = "GN";
    combined.sky.clear();
    for (const auto& sky : skies)
        combined.sky.insert(combined.sky.end(), sky.begin(), sky.end());
    const std::vector<std::string> frame = nmeaBurst(combined);
    std::vector<std::string> burst{frame.front()};
    for (std::size_t i = 0; i < systems_.size(); ++i)
        burst.push_back(gsa(input.fixMode, used[i], allUsed,
                            nmea410_ ? "," + std::to_string(systems_[i].systemId) : std::string()));
    for (std::size_t i = 0; i < systems_.size(); ++i) {
        const std::size_t signals = nmea410_ ? systems_[i].signals.size() : 1;
        for (std::size_t s = 0; s < signals; ++s) {
            const std::string suffix = nmea410_ ? "," + hexDigit(systems_[i].signals[s]) : std::string();
            const auto heard = bands_ ? (s == 0 ? skies[i] : onL5(skies[i])) : onSignal(skies[i], s);
            for (std::string& sentence : gsvGroup(systems_[i].talker, heard, suffix))
                burst.push_back(std::move(sentence));
        }
    }
    burst.push_back(frame.back());
    return burst;
}

} // namespace norvane::sim
