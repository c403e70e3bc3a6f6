#pragma once

#include "replay/recording_file.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace norvane {

// One burst of a recording: what the receiver sent at one moment, fed to the receive loop as
// one tick. Its bytes are the recording's own, line ends and stray bytes included; only comment
// lines are left out.
struct RecordedBurst {
    std::string bytes;
    std::optional<int> timeMs;   // UTC time of day shared by its time-bearing sentences
    std::uint64_t endOffset = 0; // about where in the file it ends
};

// A recording (gpslog.txt or any NMEA capture, CR LF or LF line ends, '#' comment lines, binary
// bytes between sentences) cut into bursts while it is read from disk:
// - a sentence carrying a UTC time (GGA, RMC, GNS, GLL, ZDA) different from the burst's starts
//   the next burst;
// - so does a GGA without a time once the burst holds a GGA or a time, so a recording without
//   times gives one burst per GGA, and a time after such GGA sentences;
// - a stretch with neither is cut every 1000 bytes.
// What precedes the first time or GGA belongs to the first burst.
class RecordingSource {
public:
    static constexpr std::size_t kUntimedBurstBytes = 1000;
    // Whatever it holds, no burst grows beyond this, so that memory stays flat.
    static constexpr std::size_t kLongestBurstBytes = 256 * 1024;

    explicit RecordingSource(std::size_t chunkBytes = RecordingFile::kChunkBytes);

    bool open(const std::string& path);
    // Nothing at the end of the recording or on a failure, which error() then tells.
    std::optional<RecordedBurst> next();
    // Goes on from the first sentence that starts on a line at or after `offset`.
    bool seek(std::uint64_t offset);

    const std::string& path() const { return file_.path(); }
    std::uint64_t size() const { return file_.size(); }
    const std::string& error() const { return file_.error(); }

private:
    void reset();
    void take(char c);
    void openSentence();
    void closeSentence();
    void cut(std::size_t length);
    void endOfFile();

    RecordingFile file_;
    std::string chunk_;
    std::size_t chunkAt_ = 0;
    bool ended_ = false;
    std::deque<RecordedBurst> ready_;

    std::uint64_t offset_ = 0; // of the next byte taken
    bool lineStart_ = true;
    bool comment_ = false;
    bool resynchronising_ = false;

    std::string burst_;
    std::optional<int> burstTime_;
    bool burstHasGga_ = false;

    bool sentenceOpen_ = false;
    std::string sentence_;
    std::size_t sentenceAt_ = 0; // where its '$' stands in burst_; npos once cut away
};

} // namespace norvane
