#include "replay/replay_player.h"

#include "replay/replay_pacing.h"
#include "text/number_format.h"

#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

// A replay that fell this far behind its pace (a slow window, a stopped program) goes on from
// now instead of catching up in a rush.
constexpr std::int64_t kLongestLateMs = 1000;

std::string timeText(int ms)
{
    const int seconds = ms / 1000;
    std::string text = formatText("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    if (ms % 1000 != 0) {
        std::string decimals = formatText("%03d", ms % 1000);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += "." + decimals;
    }
    return text;
}

} // namespace

std::string positionText(const ReplayPosition& position)
{
    std::string text = formatText("burst %d", position.burst);
    if (position.aboutBursts > 0)
        text += formatText(" of about %d", position.aboutBursts);
    if (position.timeMs)
        text += ", " + timeText(*position.timeMs) + " UTC";
    return text;
}

ReplayPlayer::ReplayPlayer(std::size_t chunkBytes) : source_(chunkBytes) {}

bool ReplayPlayer::open(const std::string& path, std::int64_t nowMs)
{
    shown_ = {};
    burstsCounted_ = 0;
    bytesCounted_ = 0;
    paused_ = false;
    next_.reset();
    if (!source_.open(path))
        return false;
    next_ = source_.next();
    pauseMs_ = 0;
    lastMs_ = nowMs;
    return error().empty();
}

void ReplayPlayer::setPaused(bool paused, std::int64_t nowMs)
{
    if (paused_ && !paused)
        lastMs_ = nowMs;
    paused_ = paused;
}

std::int64_t ReplayPlayer::dueMs() const
{
    return speed_ == kReplayMax ? lastMs_ : lastMs_ + pauseMs_ / speed_;
}

std::optional<std::int64_t> ReplayPlayer::msUntilDue(std::int64_t nowMs) const
{
    if (paused_ || !next_)
        return std::nullopt;
    return std::max<std::int64_t>(0, dueMs() - nowMs);
}

std::optional<RecordedBurst> ReplayPlayer::takeDue(std::int64_t nowMs)
{
    if (paused_ || !next_ || nowMs < dueMs())
        return std::nullopt;
    // Due times follow each other from the last one, not from when the window got round to
    // it, so the pace keeps to the recording's over its whole length.
    const std::int64_t due = dueMs();
    return give(nowMs - due > kLongestLateMs ? nowMs : due);
}

std::optional<RecordedBurst> ReplayPlayer::takeNext(std::int64_t nowMs)
{
    if (!next_)
        return std::nullopt;
    return give(nowMs);
}

RecordedBurst ReplayPlayer::give(std::int64_t atMs)
{
    RecordedBurst burst = std::move(*next_);
    lastMs_ = atMs;
    ++shown_.burst;
    shown_.timeMs = burst.timeMs;
    ++burstsCounted_;
    bytesCounted_ += burst.bytes.size();
    next_ = source_.next();
    if (next_)
        pauseMs_ = pauseBeforeMs(burst.timeMs, next_->timeMs);
    const double size = static_cast<double>(source_.size());
    shown_.fraction = size > 0 ? std::min(1.0, static_cast<double>(burst.endOffset) / size) : 0;
    if (finished())
        shown_.aboutBursts = shown_.burst;
    else if (bytesCounted_ > 0)
        shown_.aboutBursts =
            std::max<std::int64_t>(shown_.burst, std::llround(size * static_cast<double>(burstsCounted_) /
                                                              static_cast<double>(bytesCounted_)));
    return burst;
}

void ReplayPlayer::seek(double fraction, std::int64_t nowMs)
{
    if (!error().empty())
        return;
    fraction = std::clamp(fraction, 0.0, 1.0);
    const auto offset =
        static_cast<std::uint64_t>(std::llround(fraction * static_cast<double>(source_.size())));
    if (!source_.seek(offset))
        return;
    next_ = source_.next();
    pauseMs_ = 0;
    lastMs_ = nowMs;
    // The bursts before the point are not read: their number is estimated like the whole's.
    shown_.burst = bytesCounted_ > 0
                       ? std::llround(static_cast<double>(offset) * static_cast<double>(burstsCounted_) /
                                      static_cast<double>(bytesCounted_))
                       : 0;
    shown_.timeMs.reset();
    shown_.fraction = fraction;
}

ReplayPosition ReplayPlayer::position() const
{
    return shown_;
}

} // namespace norvane
