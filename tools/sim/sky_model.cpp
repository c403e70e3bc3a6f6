#include "sim/sky_model.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <random>

namespace norvane::sim {

namespace {

constexpr int kPrns[] = {2, 5, 7, 10, 13, 15, 16, 21, 24, 26, 29, 30};
// Real satellites cross the sky in hours; these swing in elevation over six hours and turn in
// azimuth by fifteen degrees an hour, enough for the sky plot to move over a long session.
constexpr double kElevationPeriod = 6 * 3600.0;
constexpr double kElevationSwing = 8.0;
constexpr double kAzimuthPerSecond = 15.0 / 3600.0;

// A small signal wobble that is the same for the same satellite and second, so runs repeat.
int snrWobble(int prn, long second)
{
    unsigned mix = static_cast<unsigned>(prn) * 2654435761u ^ static_cast<unsigned>(second) * 40503u;
    mix ^= mix >> 13;
    return static_cast<int>(mix % 5) - 2;
}

} // namespace

SkyModel::SkyModel(unsigned seed) : SkyModel(seed, std::vector<int>(std::begin(kPrns), std::end(kPrns))) {}

SkyModel::SkyModel(unsigned seed, const std::vector<int>& prns)
{
    std::mt19937 random(seed);
    int count = 10 + static_cast<int>(random() % 3);
    // A system of fewer satellites has all of them in view.
    count = std::min(count, static_cast<int>(prns.size()));
    for (int i = 0; i < count; ++i) {
        // Spread the satellites around the sky; a couple stay low enough to go untracked.
        double elevation = i < 2 ? 4.0 + i * 2 : 15.0 + std::uniform_real_distribution<double>(0, 65)(random);
        double azimuth = i * (360.0 / count) + std::uniform_real_distribution<double>(0, 20)(random);
        double phase = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(random);
        orbits_.push_back({prns[static_cast<std::size_t>(i)], elevation, azimuth, phase});
    }
}

SatelliteView SkyModel::viewOf(const Orbit& orbit, double seconds) const
{
    double swing =
        kElevationSwing * std::sin(2 * std::numbers::pi * seconds / kElevationPeriod + orbit.phase);
    double elevation = std::clamp(orbit.baseElevation + swing, 1.0, 89.0);
    double azimuth = std::fmod(orbit.baseAzimuth + seconds * kAzimuthPerSecond, 360.0);
    SatelliteView view{orbit.prn, static_cast<int>(elevation), static_cast<int>(azimuth), -1};
    if (view.elevation >= 10)
        view.snr = 28 + view.elevation / 5 + snrWobble(orbit.prn, static_cast<long>(seconds));
    return view;
}

std::vector<SatelliteView> SkyModel::at(double seconds) const
{
    std::vector<SatelliteView> views;
    for (const Orbit& orbit : orbits_)
        views.push_back(viewOf(orbit, seconds));
    return views;
}

std::vector<SatelliteView> SkyModel::searchingAt(double seconds) const
{
    std::vector<SatelliteView> views;
    for (std::size_t i = 2; i < 6 && i < orbits_.size(); ++i) {
        SatelliteView view = viewOf(orbits_[i], seconds);
        // Signals just found are weak; every other one is not locked yet.
        view.snr = i % 2 == 0 ? 18 + snrWobble(view.prn, static_cast<long>(seconds)) : -1;
        views.push_back(view);
    }
    return views;
}

} // namespace norvane::sim
