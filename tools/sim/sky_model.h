// The satellites the simulated receiver sees: a fixed set whose elevation and azimuth drift
// slowly with time, as the constellation moves over a receiver standing still.
#pragma once

#include <vector>

namespace norvane::sim {

struct SatelliteView {
    int prn = 0;
    int elevation = 0; // degrees, 0 to 90
    int azimuth = 0;   // degrees, 0 to 359
    int snr = -1;      // dB-Hz; -1 when not tracked (the GSV field stays empty)
};

class SkyModel {
public:
    // The seed picks how many satellites are in view (10 to 12) and where they stand.
    explicit SkyModel(unsigned seed);
    // The same with the satellites numbered from this list; with fewer than ten numbers, each
    // of them is in view.
    SkyModel(unsigned seed, const std::vector<int>& prns);

    // The sky `seconds` after the simulator started, in the order GSV lists them.
    std::vector<SatelliteView> at(double seconds) const;
    // Only a few satellites, weak or untracked, as seen while a restarted receiver searches.
    std::vector<SatelliteView> searchingAt(double seconds) const;

    // Satellites strong and high enough to be used in a fix.
    static bool usable(const SatelliteView& satellite)
    {
        return satellite.snr >= 0 && satellite.elevation >= 10;
    }

private:
    struct Orbit {
        int prn;
        double baseElevation;
        double baseAzimuth;
        double phase;
    };
    SatelliteView viewOf(const Orbit& orbit, double seconds) const;

    std::vector<Orbit> orbits_;
};

} // namespace norvane::sim
