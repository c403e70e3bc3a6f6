#include "sim/download_responder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace norvane::sim {

namespace {

constexpr char kRequest[] = "$LOADER DOWNLOAD";
constexpr std::size_t kRequestLength = sizeof kRequest - 1;
constexpr std::size_t kBlockSize = 8192;
constexpr std::size_t kHeaderLength = 47;
// A loader line longer than this cannot come from a sound loader file; it only grows memory.
constexpr std::size_t kLongestLine = 600;

std::optional<int> hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

// The bytes of an S-record after its type, or nothing when a character is not hexadecimal.
std::optional<std::vector<int>> recordBytes(const std::string& line)
{
    if (line.size() < 4 || line.size() % 2 != 0)
        return std::nullopt;
    std::vector<int> bytes;
    for (std::size_t i = 2; i < line.size(); i += 2) {
        auto high = hexValue(line[i]);
        auto low = hexValue(line[i + 1]);
        if (!high || !low)
            return std::nullopt;
        bytes.push_back(*high * 16 + *low);
    }
    return bytes;
}

// Count, address, data and checksum add up to 0xFF in their low byte, and the count matches.
bool recordIsSound(const std::string& line)
{
    if (line[0] != 'S' || line[1] < '0' || line[1] > '9')
        return false;
    auto bytes = recordBytes(line);
    if (!bytes || bytes->size() < 2 || static_cast<std::size_t>((*bytes)[0]) != bytes->size() - 1)
        return false;
    int sum = 0;
    for (int byte : *bytes)
        sum += byte;
    return (sum & 0xFF) == 0xFF;
}

bool isTermination(const std::string& line)
{
    return line[1] == '7' || line[1] == '8' || line[1] == '9';
}

} // namespace

DownloadResponder::DownloadResponder(DownloadOptions options) : options_(options) {}

std::string DownloadResponder::feed(const std::uint8_t* data, std::size_t n, int lineRate)
{
    std::string replies;
    std::size_t i = 0;
    while (i < n) {
        switch (phase_) {
        case Phase::Idle:
            replies += feedIdle(data[i++]);
            break;
        case Phase::Loader:
            replies += feedLoader(data[i++]);
            break;
        case Phase::Header:
            if (lineRate != kDownloadRate)
                return replies;
            replies += feedHeader(data[i++]);
            break;
        case Phase::Blocks:
            if (lineRate != kDownloadRate)
                return replies;
            i += takeBlockBytes(data + i, n - i, replies);
            break;
        }
    }
    return replies;
}

bool DownloadResponder::active() const
{
    return phase_ != Phase::Idle;
}

bool DownloadResponder::atDownloadRate() const
{
    return phase_ == Phase::Header || phase_ == Phase::Blocks;
}

bool DownloadResponder::finished() const
{
    return finished_;
}

const std::vector<std::uint8_t>& DownloadResponder::image() const
{
    return image_;
}

void DownloadResponder::reset()
{
    phase_ = Phase::Idle;
    pending_.clear();
}

std::string DownloadResponder::feedIdle(std::uint8_t byte)
{
    // Only the last characters can still begin the request, so the window stays short.
    if (byte == 0) {
        bool request = pending_.size() >= kRequestLength &&
                       pending_.compare(pending_.size() - kRequestLength, kRequestLength, kRequest) == 0;
        pending_.clear();
        return request ? acceptRequest() : std::string();
    }
    pending_ += static_cast<char>(byte);
    if (pending_.size() > kRequestLength)
        pending_.erase(0, pending_.size() - kRequestLength);
    return {};
}

std::string DownloadResponder::acceptRequest()
{
    if (silenced(DownloadStep::Request))
        return {};
    phase_ = Phase::Loader;
    finished_ = false;
    loaderBad_ = false;
    pending_.clear();
    image_.clear();
    return "OK";
}

std::string DownloadResponder::feedLoader(std::uint8_t byte)
{
    if (byte == '\n') {
        std::string reply = finishLoaderLine();
        pending_.clear();
        return reply;
    }
    if (byte == 0) {
        // The zero after each line feed ends nothing; a zero after the request text is the tool
        // asking again because it missed the "OK".
        bool request = pending_ == kRequest;
        pending_.clear();
        return request ? acceptRequest() : std::string();
    }
    if (pending_.size() < kLongestLine)
        pending_ += static_cast<char>(byte);
    else
        loaderBad_ = true;
    return {};
}

std::string DownloadResponder::finishLoaderLine()
{
    std::string line = pending_;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return {};
    if (!recordIsSound(line)) {
        loaderBad_ = true;
        return {};
    }
    if (!isTermination(line) || loaderBad_ || silenced(DownloadStep::Loader))
        return {};
    phase_ = Phase::Header;
    return "END";
}

std::string DownloadResponder::feedHeader(std::uint8_t byte)
{
    // Resynchronise on the header's first letter: whatever came before it is line noise.
    if (pending_.empty() && byte != 'B')
        return {};
    pending_ += static_cast<char>(byte);
    if (pending_.size() == kHeaderLength) {
        bool flashStart = std::strstr(pending_.c_str(), "FlashStart") != nullptr;
        headerLength_ = flashStart ? kHeaderLength + 1 : kHeaderLength;
    }
    if (pending_.size() < kHeaderLength || pending_.size() < headerLength_)
        return {};
    std::string reply = finishHeader();
    pending_.clear();
    return reply;
}

std::string DownloadResponder::finishHeader()
{
    long size = 0;
    int sum = 0;
    int last = 0;
    char keyword[16] = {};
    int fields =
        std::sscanf(pending_.c_str(), "BINSIZE = %ld Checksum = %d %15s = %d", &size, &sum, keyword, &last);
    bool sound = fields == 4 && size > 0 && sum >= 0 && sum <= 255 &&
                 (std::strcmp(keyword, "Loopnumber") == 0 || std::strcmp(keyword, "FlashStart") == 0);
    if (!sound || silenced(DownloadStep::Header))
        return {};
    imageSize_ = size;
    imageSum_ = sum;
    blockFill_ = 0;
    image_.clear();
    image_.reserve(static_cast<std::size_t>(size));
    phase_ = Phase::Blocks;
    return "OK";
}

std::size_t DownloadResponder::takeBlockBytes(const std::uint8_t* data, std::size_t n, std::string& replies)
{
    std::size_t toImageEnd = static_cast<std::size_t>(imageSize_) - image_.size();
    std::size_t take = std::min({n, kBlockSize - blockFill_, toImageEnd});
    image_.insert(image_.end(), data, data + take);
    blockFill_ += take;
    if (image_.size() == static_cast<std::size_t>(imageSize_)) {
        replies += finishImage();
    } else if (blockFill_ == kBlockSize) {
        blockFill_ = 0;
        if (!silenced(DownloadStep::Block))
            replies += "OK";
    }
    return take;
}

std::string DownloadResponder::finishImage()
{
    // The loader hands over to the new firmware whatever it answers, so the receiver talks
    // NMEA again at its own rate.
    phase_ = Phase::Idle;
    int sum = 0;
    for (std::uint8_t byte : image_)
        sum = (sum + byte) & 0xFF;
    bool matches = sum == imageSum_ && !options_.errAtEnd;
    if (silenced(DownloadStep::End))
        return {};
    finished_ = matches;
    return matches ? "END" : "Err";
}

bool DownloadResponder::silenced(DownloadStep step)
{
    if (options_.silentAt != step)
        return false;
    if (options_.silentTimes == 0)
        return true;
    if (silencedSoFar_ >= options_.silentTimes)
        return false;
    ++silencedSoFar_;
    return true;
}

} // namespace norvane::sim
