#pragma once

#include "control/ttff_record.h"
#include "decode/receiver_state.h"

#include <cstdint>
#include <string>

namespace norvane {

// Measures one cycle from the moment its restart command was written. A fix counts only once
// the receiver has reported losing it (GGA quality 0, GSA mode 1 or 2, RMC status V): a
// receiver that ignores the restart, or still sends the old fix for a moment, never gives a
// TTFF of nearly nothing. Times are those of the clock seam, in milliseconds.
class TtffCycle {
public:
    TtffCycle(int cycle, RestartKind kind, std::int64_t writtenMs, std::int64_t commandUtcMs,
              std::int64_t limitMs);

    // After each decoded sentence, with its type ("GGA", "GSA", ...) and the state it left.
    void sentenceDecoded(const std::string& type, const ReceiverState& state, std::int64_t nowMs);
    // Ends the cycle as timed out once its limit has passed without a fix.
    void checkLimit(std::int64_t nowMs);
    // Ends a cycle that the next restart cuts short; without a fix by then it has none.
    void endEarly();

    bool complete() const { return stage_ == Stage::Complete; }
    const TtffRecord& record() const { return record_; }

private:
    enum class Stage { Searching, FixedAwaitingPosition, Complete };

    void noteLoss();
    void captureFixValues(const ReceiverState& state);
    bool pastLimit(std::int64_t nowMs) const { return nowMs - writtenMs_ > limitMs_; }

    TtffRecord record_;
    std::int64_t writtenMs_;
    std::int64_t limitMs_;
    Stage stage_ = Stage::Searching;
    // A GGA with a fix has come since the loss was last reported, so the position in the state
    // is of the new fix. Receivers that send GSA before GGA get their position from the next GGA.
    bool freshPosition_ = false;
};

} // namespace norvane
