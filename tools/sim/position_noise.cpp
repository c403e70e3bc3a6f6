#include "sim/position_noise.h"

#include "sim/nmea_sentence.h"
#include "text/command_arguments.h"

#include <cmath>
#include <sstream>
#include <vector>

namespace norvane::sim {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The simulator's own figure of the Earth (WGS84), for turning metres into angles.
constexpr double kEquatorRadius = 6378137.0;
constexpr double kEccentricitySquared = 0.00669437999014;

double signedDegreesOf(double ddmm, char hemisphere, char negative)
{
    const double degrees = std::floor(ddmm / 100);
    const double value = degrees + (ddmm - degrees * 100) / 60;
    return hemisphere == negative ? -value : value;
}

void toDdmm(double signedDegrees, char positive, char negative, double& ddmm, char& hemisphere)
{
    hemisphere = signedDegrees < 0 ? negative : positive;
    const double magnitude = std::fabs(signedDegrees);
    const double degrees = std::floor(magnitude);
    ddmm = degrees * 100 + (magnitude - degrees) * 60;
}

} // namespace

bool parseNoise(const std::string& text, NoiseOptions& noise)
{
    std::istringstream in(text);
    std::vector<double> values;
    for (std::string part; std::getline(in, part, ':');) {
        const auto value = numberArgument(part);
        if (!value || *value < 0)
            return false;
        values.push_back(*value);
    }
    if (values.empty() || values.size() > 3 || text.back() == ':' || values[0] <= 0)
        return false;
    noise.horizontal = values[0];
    noise.vertical = values.size() > 1 ? values[1] : 1.5 * values[0];
    noise.tau = values.size() > 2 ? values[2] : 0;
    return true;
}

PositionNoise::PositionNoise(const NoiseOptions& options, double step, unsigned seed)
    : options_(options), carried_(options.tau > 0 ? std::exp(-step / options.tau) : 0.0), random_(seed)
{
}

// x(k) = a x(k-1) + sigma sqrt(1 - a^2) w(k), started from the steady spread, keeps the
// spread at sigma whatever the correlation.
double PositionNoise::draw(double& state, double sigma)
{
    const double w = normal_(random_);
    state = started_ ? carried_ * state + sigma * std::sqrt(1 - carried_ * carried_) * w : sigma * w;
    return state;
}

FixPosition PositionNoise::next(const FixPosition& truth)
{
    const double east = draw(east_, options_.horizontal);
    const double north = draw(north_, options_.horizontal);
    const double up = draw(up_, options_.vertical);
    started_ = true;

    double latitude = signedDegreesOf(truth.latitude, truth.latHemisphere, 'S');
    double longitude = signedDegreesOf(truth.longitude, truth.lonHemisphere, 'W');
    const double s = std::sin(latitude * kPi / 180);
    const double w = 1 - kEccentricitySquared * s * s;
    const double meridianRadius = kEquatorRadius * (1 - kEccentricitySquared) / (w * std::sqrt(w));
    const double parallelRadius = kEquatorRadius / std::sqrt(w) * std::cos(latitude * kPi / 180);
    latitude += north / meridianRadius * 180 / kPi;
    longitude += east / parallelRadius * 180 / kPi;
    if (longitude > 180)
        longitude -= 360;
    if (longitude < -180)
        longitude += 360;

    FixPosition moved = truth;
    toDdmm(latitude, 'N', 'S', moved.latitude, moved.latHemisphere);
    toDdmm(longitude, 'E', 'W', moved.longitude, moved.lonHemisphere);
    moved.altitude += up;
    return moved;
}

std::string gstSentence(const std::string& talker, const UtcTime& time, const NoiseOptions& noise)
{
    const std::string h = fixedDecimals(noise.horizontal, 2);
    return nmeaSentence(talker + "GST," + nmeaTimeOfDay(time) + "," + h + "," + h + "," + h + ",0.0," + h + "," + h +
                        "," + fixedDecimals(noise.vertical, 2));
}

} // namespace norvane::sim
