#include "view/shown_satellites.h"

#include "view/satellite_status.h"
#include "view/satellite_table.h"

#include <algorithm>
#include <tuple>

namespace norvane {

namespace {

const SkyGroup* firstGroup(const ReceiverState& state)
{
    for (const SkyGroup& group : state.sky.groups) {
        if (group.inUse)
            return &group;
    }
    return nullptr;
}

void fromTable(const ReceiverState& state, SatelliteShowing& showing)
{
    const SkyGroup* group = firstGroup(state);
    const SatelliteSource source = group != nullptr ? group->source : SatelliteSource::GpsFamily;
    const int count = satelliteEntryCount(state);
    showing.satellites.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int entry = 0; entry < count; ++entry) {
        const int prn = state.sat_prn[entry];
        ShownSatellite shown{systemOfPrn(source, prn),   prn,
                             state.sat_elevation[entry], state.sat_azimuth[entry],
                             state.sat_snr[entry],       state.sat_status[entry]};
        shown.bands = bandBit(Band::L1);
        shown.bandSnr[static_cast<int>(Band::L1)] = shown.snr;
        showing.satellites.push_back(shown);
    }
}

// A satellite as the groups heard it: per band the signal ID its SNR came from, and the band
// its position came from, the lowest one heard.
struct Heard {
    ShownSatellite satellite;
    int signal[kBandCount] = {};
    Band positionBand = Band::L1;
};

// Takes one group's reading of a satellite: on a band not heard yet, or from a lower signal ID
// of a band heard. The lowest band heard gives the position.
void hear(Heard& heard, const SkySatellite& s, Band band, int signal)
{
    ShownSatellite& shown = heard.satellite;
    const int b = static_cast<int>(band);
    if (shown.heardOn(band) && signal >= heard.signal[b])
        return;
    const bool first = shown.bands == 0;
    shown.bands |= bandBit(band);
    shown.bandSnr[b] = s.snr;
    heard.signal[b] = signal;
    if (first || band <= heard.positionBand) {
        shown.elevation = s.elevation;
        shown.azimuth = s.azimuth;
        heard.positionBand = band;
    }
}

// One group's reading of a satellite.
struct Reading {
    GnssSystem system;
    int prn;
    Band band;
    int signal;
    const SkySatellite* satellite;
};

// Every group's readings by satellite, each satellite's in the order of the groups, so that of
// two readings of one signal the first counts.
std::vector<Reading> readingsOf(const ReceiverState& state)
{
    std::vector<Reading> readings;
    readings.reserve(128);
    for (const SkyGroup& group : state.sky.groups) {
        if (!group.inUse)
            continue;
        const int count = std::clamp(group.inView, 0, kGroupSatellites);
        for (int entry = 0; entry < count; ++entry) {
            const SkySatellite& s = group.satellites[entry];
            if (s.prn == 0)
                continue;
            const GnssSystem system = systemOfPrn(group.source, s.prn);
            readings.push_back({system, s.prn, bandOfSignal(system, group.signal), group.signal, &s});
        }
    }
    std::stable_sort(readings.begin(), readings.end(), [](const Reading& a, const Reading& b) {
        return std::tie(a.system, a.prn) < std::tie(b.system, b.prn);
    });
    return readings;
}

// The SNR of the L1 band, or of the lowest band heard.
int skySnr(const ShownSatellite& s)
{
    for (int b = 0; b < kBandCount; ++b) {
        if (s.heardOn(static_cast<Band>(b)))
            return s.bandSnr[b];
    }
    return 0;
}

int statusOf(const ReceiverState& state, const ShownSatellite& s)
{
    return isUsed(state.sky, s.system, s.prn) ? usedStatus(s.snr, s.elevation, s.azimuth) : kSatInView;
}

void fromEverySystem(const ReceiverState& state, SatelliteShowing& showing)
{
    const std::vector<Reading> readings = readingsOf(state);
    showing.tableOrder = false;
    showing.satellites.reserve(readings.size());
    for (auto first = readings.begin(); first != readings.end();) {
        Heard heard;
        heard.satellite.system = first->system;
        heard.satellite.prn = first->prn;
        auto next = first;
        for (; next != readings.end() && next->system == first->system && next->prn == first->prn; ++next)
            hear(heard, *next->satellite, next->band, next->signal);
        heard.satellite.snr = skySnr(heard.satellite);
        heard.satellite.status = statusOf(state, heard.satellite);
        showing.satellites.push_back(heard.satellite);
        first = next;
    }
    const auto& all = showing.satellites;
    showing.severalSystems = !all.empty() && std::any_of(all.begin(), all.end(), [&](const auto& s) {
        return s.system != all[0].system;
    });
}

} // namespace

bool showsSingleTalkerTable(const ReceiverState& state)
{
    const SkyGroup* first = firstGroup(state);
    if (first == nullptr)
        return true;
    return std::all_of(std::begin(state.sky.groups), std::end(state.sky.groups), [&](const SkyGroup& group) {
        return !group.inUse || (group.source == first->source && group.signal == kNoSignal);
    });
}

SatelliteShowing shownSatellites(const ReceiverState& state)
{
    SatelliteShowing showing;
    shownSatellites(state, showing);
    return showing;
}

void shownSatellites(const ReceiverState& state, SatelliteShowing& into)
{
    into.satellites.clear();
    into.severalSystems = false;
    into.tableOrder = true;
    if (showsSingleTalkerTable(state))
        fromTable(state, into);
    else
        fromEverySystem(state, into);
}

char systemLetter(GnssSystem system)
{
    constexpr char kLetters[kGnssSystemCount] = {'G', 'S', 'R', 'E', 'C', 'J', 'I', 'U'};
    return kLetters[static_cast<int>(system)];
}

int systemNumber(GnssSystem system, int prn)
{
    switch (system) {
    case GnssSystem::Glonass:
        return prn >= 65 && prn <= 96 ? prn - 64 : prn;
    case GnssSystem::Sbas:
        return prn >= 33 && prn <= 64 ? prn + 87 : prn;
    case GnssSystem::Qzss:
        return prn >= 193 && prn <= 202 ? prn - 192 : prn;
    default:
        return prn;
    }
}

std::string satelliteLabel(GnssSystem system, int prn)
{
    const int number = systemNumber(system, prn);
    std::string text(1, systemLetter(system));
    if (number >= 0 && number < 10)
        text += '0';
    return text + std::to_string(number);
}

} // namespace norvane
