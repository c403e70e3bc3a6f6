// The receiver's download mode: what its boot program and loader answer while the tool sends a
// loader and a firmware image. Pure bytes in, replies out; the simulator owns the line, the
// pacing and the timing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace norvane::sim {

// The rate the loader listens and answers at once the loader is running.
constexpr int kDownloadRate = 115200;

// The points at which the receiver answers the tool.
enum class DownloadStep {
    None,    // no step
    Request, // "OK" to "$LOADER DOWNLOAD"
    Loader,  // "END" after the loader's termination record
    Header,  // "OK" to the BINSIZE header
    Block,   // "OK" after each full 8192-byte block
    End,     // "END" or "Err" after the last block
};

struct DownloadOptions {
    // The step at which the receiver stays silent. At Request, Loader and Header the command is
    // ignored (the receiver stays where it was, so a repeat can still be answered); at Block and
    // End the bytes are taken and only the answer is missing.
    DownloadStep silentAt = DownloadStep::None;
    // How many answers of that step go missing before it answers again; 0: all of them.
    int silentTimes = 0;
    // Answer "Err" after the last block even when size and sum match the header.
    bool errAtEnd = false;
};

class DownloadResponder {
public:
    explicit DownloadResponder(DownloadOptions options = {});

    // Bytes the tool wrote, with the line rate they were written at; returns what the receiver
    // answers (empty when nothing). Before the loader runs the rate is not looked at: the caller
    // hands over only what its own rate let through. From the loader's "END" on, bytes written
    // at any rate but kDownloadRate are line garbage and are dropped.
    std::string feed(const std::uint8_t* data, std::size_t n, int lineRate);

    // In download mode: from the accepted request until the image ends or reset(); the
    // receiver's NMEA output is suspended meanwhile.
    bool active() const;
    // True while the receiver talks at kDownloadRate instead of its own rate.
    bool atDownloadRate() const;
    // The last download ended with "END": the image matched its header. Cleared by the next
    // accepted request.
    bool finished() const;
    // The image bytes taken in the current or last download.
    const std::vector<std::uint8_t>& image() const;

    // Power cycle: back to NMEA mode from wherever it stood; the image taken so far stays.
    void reset();

private:
    enum class Phase { Idle, Loader, Header, Blocks };

    std::string feedIdle(std::uint8_t byte);
    std::string feedLoader(std::uint8_t byte);
    std::string feedHeader(std::uint8_t byte);
    // Takes image bytes up to the end of the block or image; returns how many it took.
    std::size_t takeBlockBytes(const std::uint8_t* data, std::size_t n, std::string& replies);
    std::string acceptRequest();
    std::string finishLoaderLine();
    std::string finishHeader();
    std::string finishImage();
    // Counts down the silent answers of a step; true when this answer goes missing.
    bool silenced(DownloadStep step);

    DownloadOptions options_;
    int silencedSoFar_ = 0;
    Phase phase_ = Phase::Idle;
    bool finished_ = false;
    std::string pending_;          // the request or loader line or header gathered so far
    bool loaderBad_ = false;       // a record failed its checksum: the loader never reports "END"
    std::size_t headerLength_ = 0; // 47, or 48 for the FlashStart form
    long imageSize_ = 0;
    int imageSum_ = 0;
    std::size_t blockFill_ = 0;
    std::vector<std::uint8_t> image_;
};

} // namespace norvane::sim
