#include "sim/reacquisition_time.h"

#include <cmath>
#include <cstdlib>

namespace norvane::sim {

namespace {

// Real receivers never take exactly the same time twice; a tenth either way is typical.
constexpr double kTenth = 0.1;

bool nonNegative(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value) && value >= 0;
}

} // namespace

bool parseReacquisitionTime(const std::string& text, double& mean, double& spread)
{
    const auto colon = text.find(':');
    double parsedMean = 0;
    double parsedSpread = kNominalSpread;
    if (colon == std::string::npos) {
        if (!nonNegative(text, parsedMean))
            return false;
    } else if (!nonNegative(text.substr(0, colon), parsedMean) ||
               !nonNegative(text.substr(colon + 1), parsedSpread)) {
        return false;
    }
    mean = parsedMean;
    spread = parsedSpread;
    return true;
}

double drawSearchSeconds(double mean, double spread, std::mt19937& random)
{
    if (spread < 0) {
        const double factor = std::uniform_real_distribution<double>(1 - kTenth, 1 + kTenth)(random);
        return mean > 0 ? mean * factor : 0;
    }
    if (mean <= 0 || spread == 0)
        return mean > 0 ? mean : 0;
    const double sigmaSquared = std::log(1 + (spread * spread) / (mean * mean));
    const double mu = std::log(mean) - sigmaSquared / 2;
    return std::lognormal_distribution<double>(mu, std::sqrt(sigmaSquared))(random);
}

} // namespace norvane::sim
