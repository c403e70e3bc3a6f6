#include "sim/fix_timeline.h"

namespace norvane::sim {

FixTimeline::FixTimeline(ReacquisitionTimes times, unsigned seed) : times_(times), random_(seed) {}

void FixTimeline::restart(RestartKind kind, double now)
{
    double nominal = kind == RestartKind::Cold   ? times_.cold
                     : kind == RestartKind::Warm ? times_.warm
                                                 : times_.hot;
    double spread = kind == RestartKind::Cold   ? times_.coldSpread
                    : kind == RestartKind::Warm ? times_.warmSpread
                                                : times_.hotSpread;
    restarted_ = true;
    restartAt_ = now;
    searchSeconds_ = drawSearchSeconds(nominal, spread, random_);
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
