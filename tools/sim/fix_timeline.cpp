#include "sim/fix_timeline.h"

namespace norvane::sim {

namespace {

// Real receivers never take exactly the same time twice; a tenth either way is typical.
constexpr double kSpread = 0.1;

} // namespace

FixTimeline::FixTimeline(ReacquisitionTimes times, unsigned seed) : times_(times), random_(seed) {}

void FixTimeline::restart(RestartKind kind, double now)
{
    double nominal = kind == RestartKind::Cold   ? times_.cold
                     : kind == RestartKind::Warm ? times_.warm
                                                 : times_.hot;
    double factor = std::uniform_real_distribution<double>(1 - kSpread, 1 + kSpread)(random_);
    restarted_ = true;
    restartAt_ = now;
    searchSeconds_ = nominal > 0 ? nominal * factor : 0;
}

char FixTimeline::fixModeAt(double now) const
{
    if (!restarted_)
        return '3';
    double since = now - restartAt_;
    if (since < searchSeconds_)
        return '1';
    if (since < searchSeconds_ + kTwoDimensionalSeconds)
        return '2';
    return '3';
}

} // namespace norvane::sim
