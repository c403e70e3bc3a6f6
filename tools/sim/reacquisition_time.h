// How long the simulated receiver searches after a restart: a nominal time with a tenth either
// way, or a distribution given as "mean:spread" for restart tests that want varied times.
#pragma once

#include <random>
#include <string>

namespace norvane::sim {

// No spread given: the nominal time with a tenth either way, as a receiver that is always about
// as fast.
constexpr double kNominalSpread = -1;

// "3" gives mean 3 and kNominalSpread; "3:1" mean 3 s, spread 1 s. False for anything else,
// and for a negative mean or spread.
bool parseReacquisitionTime(const std::string& text, double& mean, double& spread);

// One searching time. With a spread it is drawn from a log-normal distribution of that mean and
// standard deviation: never negative, and with the long tail of slow fixes real receivers have.
double drawSearchSeconds(double mean, double spread, std::mt19937& random);

} // namespace norvane::sim
