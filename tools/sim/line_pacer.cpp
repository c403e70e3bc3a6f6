#include "sim/line_pacer.h"

#include <cmath>

namespace norvane::sim {

std::size_t LinePacer::allowance(double now, int rate) const
{
    double spare = now - lineFreeAt(now);
    if (spare <= 0)
        return 0;
    return static_cast<std::size_t>(std::floor(spare / byteSeconds(rate)));
}

void LinePacer::spend(std::size_t bytes, double now, int rate)
{
    busyUntil_ = lineFreeAt(now) + static_cast<double>(bytes) * byteSeconds(rate);
}

double LinePacer::nextByteAt(double now, int rate) const
{
    return lineFreeAt(now) + byteSeconds(rate);
}

} // namespace norvane::sim
