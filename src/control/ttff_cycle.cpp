#include "control/ttff_cycle.h"

#include "decode/nmea_fields.h"

namespace norvane {

TtffCycle::TtffCycle(int cycle, RestartKind kind, std::int64_t writtenMs, std::int64_t commandUtcMs,
                     std::int64_t limitMs)
    : writtenMs_(writtenMs), limitMs_(limitMs)
{
    record_.cycle = cycle;
    record_.kind = kind;
    record_.commandUtcMs = commandUtcMs;
}

void TtffCycle::sentenceDecoded(const std::string& type, const ReceiverState& state, std::int64_t nowMs)
{
    checkLimit(nowMs);
    if (complete())
        return;
    if (type == "GGA") {
        const bool fix = state.gga_quality > '0' && state.gga_quality <= '9';
        if (!fix) {
            noteLoss();
        } else if (stage_ == Stage::FixedAwaitingPosition) {
            captureFixValues(state);
            stage_ = Stage::Complete;
        } else {
            freshPosition_ = record_.fixLost;
        }
    } else if (type == "GSA") {
        if (state.fix_mode != '3') {
            noteLoss();
        } else if (record_.fixLost && stage_ == Stage::Searching) {
            record_.ttffTenths = static_cast<int>((nowMs - writtenMs_ + 50) / 100);
            captureFixValues(state);
            stage_ = freshPosition_ ? Stage::Complete : Stage::FixedAwaitingPosition;
        }
    } else if (type == "RMC" && state.rmc_status == 'V') {
        noteLoss();
    }
}

void TtffCycle::noteLoss()
{
    if (stage_ != Stage::Searching)
        return;
    record_.fixLost = true;
    freshPosition_ = false;
}

void TtffCycle::captureFixValues(const ReceiverState& state)
{
    record_.satsUsed = state.sats_used;
    record_.hdop = state.hdop;
    record_.latitude = signedDegrees(state.latitude, state.lat_hemisphere);
    record_.longitude = signedDegrees(state.longitude, state.lon_hemisphere);
}

// A fix already timed keeps its TTFF; only its position was still to come.
void TtffCycle::checkLimit(std::int64_t nowMs)
{
    if (!complete() && pastLimit(nowMs))
        endEarly();
}

void TtffCycle::endEarly()
{
    stage_ = Stage::Complete;
}

} // namespace norvane
