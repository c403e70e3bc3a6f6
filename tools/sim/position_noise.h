// The simulated receiver's position error: Gaussian, sigma H metres east and north and V up,
// each axis a first-order Gauss-Markov process with correlation time TAU seconds (0: a fresh
// error every fix), and the GST sentence that claims those sigmas.
#pragma once

#include "sim/nmea_burst.h"
#include "sim/utc_clock.h"

#include <random>
#include <string>

namespace norvane::sim {

struct NoiseOptions {
    double horizontal = 0; // sigma east and north, metres; 0: no noise
    double vertical = 0;   // sigma up, metres
    double tau = 0;        // correlation time, seconds
};

// "H", "H:V" or "H:V:TAU"; V defaults to 1.5 H. False for anything else.
bool parseNoise(const std::string& text, NoiseOptions& noise);

class PositionNoise {
public:
    // `step`: seconds between two fixes.
    PositionNoise(const NoiseOptions& options, double step, unsigned seed);

    // The fix's true position moved by the next error.
    FixPosition next(const FixPosition& truth);

private:
    double draw(double& state, double sigma);

    NoiseOptions options_;
    double carried_; // how much of the last error the next one keeps
    std::mt19937 random_;
    std::normal_distribution<double> normal_{0.0, 1.0};
    bool started_ = false;
    double east_ = 0, north_ = 0, up_ = 0;
};

// $GPGST,120000.000,2.0,2.0,2.0,0.0,2.0,2.0,3.0*hh: rms, error ellipse, then the sigmas of
// latitude, longitude and altitude.
std::string gstSentence(const std::string& talker, const UtcTime& time, const NoiseOptions& noise);

} // namespace norvane::sim
