#include "replay/recording_source.h"

#include "replay/sentence_time.h"

namespace norvane {

namespace {

// Longer than any sentence a receiver sends; a longer run after a '$' is not one.
constexpr std::size_t kLongestSentence = 1024;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

RecordingSource::RecordingSource(std::size_t chunkBytes) : file_(chunkBytes) {}

void RecordingSource::reset()
{
    chunk_.clear();
    chunkAt_ = 0;
    ended_ = false;
    ready_.clear();
    lineStart_ = true;
    comment_ = false;
    resynchronising_ = false;
    burst_.clear();
    burstTime_.reset();
    burstHasGga_ = false;
    sentenceOpen_ = false;
    sentence_.clear();
}

bool RecordingSource::open(const std::string& path)
{
    reset();
    offset_ = 0;
    return file_.open(path);
}

bool RecordingSource::seek(std::uint64_t offset)
{
    reset();
    if (offset == 0) {
        offset_ = 0;
        return file_.seek(0);
    }
    // The byte before the point tells whether a '$' right at it starts a line.
    resynchronising_ = true;
    lineStart_ = false;
    offset_ = offset - 1;
    return file_.seek(offset_);
}

std::optional<RecordedBurst> RecordingSource::next()
{
    if (!file_.stillThere())
        return std::nullopt;
    while (ready_.empty() && !ended_) {
        if (chunkAt_ == chunk_.size()) {
            chunkAt_ = 0;
            if (!file_.read(chunk_)) {
                if (!file_.error().empty())
                    return std::nullopt;
                endOfFile();
                continue;
            }
        }
        take(chunk_[chunkAt_++]);
    }
    if (ready_.empty())
        return std::nullopt;
    RecordedBurst burst = std::move(ready_.front());
    ready_.pop_front();
    return burst;
}

void RecordingSource::take(char c)
{
    ++offset_;
    if (resynchronising_) {
        if (c != '$' || !lineStart_) {
            lineStart_ = isLineEnd(c);
            return;
        }
        resynchronising_ = false;
    }
    if (comment_) {
        comment_ = c != '\n';
        lineStart_ = !comment_;
        return;
    }
    if (lineStart_ && c == '#') {
        comment_ = true;
        return;
    }
    lineStart_ = isLineEnd(c);
    if (c == '$') {
        closeSentence();
        openSentence();
    } else if (sentenceOpen_) {
        if (isLineEnd(c))
            closeSentence();
        else if (sentence_.size() < kLongestSentence)
            sentence_ += c;
        else
            sentenceOpen_ = false;
    }
    burst_ += c;
    if (!burstTime_ && !burstHasGga_ && burst_.size() >= kUntimedBurstBytes)
        cut(burst_.size());
    else if (burst_.size() >= kLongestBurstBytes)
        cut(burst_.size());
}

void RecordingSource::openSentence()
{
    sentenceOpen_ = true;
    sentence_.assign(1, '$');
    sentenceAt_ = burst_.size();
}

void RecordingSource::closeSentence()
{
    if (!sentenceOpen_)
        return;
    sentenceOpen_ = false;
    const SentenceTiming timing = sentenceTiming(sentence_);
    // Once a burst is paced, by a time or by a GGA, another time or another GGA starts the
    // next; a time that comes after GGA sentences without one (a receiver that has just learned
    // it) starts it too.
    const bool paced = burstTime_ || burstHasGga_;
    const bool startsBurst = timing.timeMs ? paced && burstTime_ != timing.timeMs : timing.gga && paced;
    // A sentence whose start went out with the burst before (a cut in the middle of it) can
    // only give its time to the burst that holds its end.
    if (startsBurst && sentenceAt_ != std::string::npos && sentenceAt_ > 0)
        cut(sentenceAt_);
    if (timing.timeMs && (!burstTime_ || startsBurst))
        burstTime_ = timing.timeMs;
    burstHasGga_ = burstHasGga_ || timing.gga;
}

// The first `length` bytes go out as a burst; what follows starts the next one, without a time
// or a GGA of its own yet.
void RecordingSource::cut(std::size_t length)
{
    const std::uint64_t kept = burst_.size() - length;
    ready_.push_back({burst_.substr(0, length), burstTime_, offset_ - kept});
    burst_.erase(0, length);
    if (sentenceAt_ != std::string::npos)
        sentenceAt_ = sentenceAt_ >= length ? sentenceAt_ - length : std::string::npos;
    burstTime_.reset();
    burstHasGga_ = false;
}

void RecordingSource::endOfFile()
{
    ended_ = true;
    closeSentence();
    if (!burst_.empty())
        cut(burst_.size());
}

} // namespace norvane
