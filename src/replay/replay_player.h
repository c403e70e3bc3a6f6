#pragma once

#include "replay/recording_source.h"

#include <cstdint>
#include <optional>
#include <string>

namespace norvane {

// Where a replay stands, as the Replay window shows it.
struct ReplayPosition {
    std::int64_t burst = 0;       // the burst given last, counted from 1; 0 before the first
    std::int64_t aboutBursts = 0; // the recording's bursts, estimated from the file size; 0 unknown
    std::optional<int> timeMs;    // UTC time of day of the burst given last
    double fraction = 0;          // how far into the file, 0 to 1
};

// "burst 812 of about 3600, 12:13:32 UTC"
std::string positionText(const ReplayPosition& position);

// A recording played at a speed: which burst is due when, pause, step and seek. It keeps no
// clock of its own; every call is told the time (milliseconds on a clock that never runs
// backwards), so the window and a test drive it alike.
class ReplayPlayer {
public:
    explicit ReplayPlayer(std::size_t chunkBytes = RecordingFile::kChunkBytes);

    // False, with error(), when the recording cannot be replayed. The first burst is due at once.
    bool open(const std::string& path, std::int64_t nowMs);
    void setSpeed(int speed) { speed_ = speed; }
    int speed() const { return speed_; }
    // On resuming, the next burst keeps its whole pause from now.
    void setPaused(bool paused, std::int64_t nowMs);
    bool paused() const { return paused_; }

    // The next burst when it is due; nothing while paused, before it is due, at the end or after
    // a failure.
    std::optional<RecordedBurst> takeDue(std::int64_t nowMs);
    // The next burst at once, due or not (Step).
    std::optional<RecordedBurst> takeNext(std::int64_t nowMs);
    // How long until the next burst is due; nothing while paused, at the end or after a failure.
    std::optional<std::int64_t> msUntilDue(std::int64_t nowMs) const;
    // Goes on from the first sentence at that fraction of the file, due at once.
    void seek(double fraction, std::int64_t nowMs);

    bool finished() const { return !next_ && error().empty(); }
    const std::string& error() const { return source_.error(); }
    const std::string& path() const { return source_.path(); }
    ReplayPosition position() const;

private:
    std::int64_t dueMs() const;
    RecordedBurst give(std::int64_t atMs);

    RecordingSource source_;
    std::optional<RecordedBurst> next_;
    int pauseMs_ = 0;         // before next_, at the recording's own pace
    std::int64_t lastMs_ = 0; // when the burst given last was due
    int speed_ = 1;
    bool paused_ = false;
    ReplayPosition shown_;
    // Bursts and their bytes read one after another, for the estimate of the whole.
    std::int64_t burstsCounted_ = 0;
    std::uint64_t bytesCounted_ = 0;
};

} // namespace norvane
