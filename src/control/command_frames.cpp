#include "control/command_frames.h"

#include "text/number_format.h"

#include <string>

namespace norvane {

namespace {

// The stored restart frame; the builder keeps only the framing, the message id and the fixed
// 0x0064 from it and writes the mode byte, the fix and the checksum.
constexpr VexaRestartFrame kRestartTemplate = {0xA0, 0xA1, 0x00, 0x0F, 0x01, 0x03, 0x07, 0xD7,
                                               0x05, 0x1E, 0x0C, 0x0B, 0x39, 0x09, 0x60, 0x2F,
                                               0x44, 0x00, 0x64, 0x91, 0x0D, 0x0A};

constexpr std::size_t kRestartModeOffset = 5;
constexpr std::size_t kRestartChecksumOffset = 19;

// The mode byte the receiver expects for each kind.
std::uint8_t vexaRestartMode(RestartKind kind)
{
    switch (kind) {
    case RestartKind::Cold:
        return 0x03;
    case RestartKind::Warm:
        return 0x02;
    case RestartKind::Hot:
        break;
    }
    return 0x01;
}

// The receiver has always been sent the first four digits of the value's "%04X" text as two
// bytes, high pair first; for every value a fix can hold that is the big-endian 16-bit number.
void putHexPairs(VexaRestartFrame& frame, std::size_t offset, int value)
{
    const std::string text = formatText("%04X", static_cast<unsigned>(value));
    frame[offset] = static_cast<std::uint8_t>(std::stoul(std::string("0x") + text[0] + text[1], nullptr, 16));
    frame[offset + 1] =
        static_cast<std::uint8_t>(std::stoul(std::string("0x") + text[2] + text[3], nullptr, 16));
}

// Whole degrees times 100: the minutes are dropped, not rounded.
int wholeDegrees(int degreesAndMinutes)
{
    return degreesAndMinutes / 100 * 100;
}

std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t count)
{
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum ^= bytes[i];
    return sum;
}

} // namespace

std::uint8_t vexaChecksum(const std::uint8_t* payload, std::size_t count)
{
    return xorOf(payload, count);
}

Bytes vexaFrame(std::uint8_t messageId, const Bytes& parameters)
{
    const std::size_t length = parameters.size() + 1;
    Bytes frame;
    frame.reserve(length + 7);
    frame.push_back(0xA0);
    frame.push_back(0xA1);
    frame.push_back(static_cast<std::uint8_t>(length >> 8));
    frame.push_back(static_cast<std::uint8_t>(length));
    frame.push_back(messageId);
    for (std::uint8_t parameter : parameters)
        frame.push_back(parameter);
    frame.push_back(vexaChecksum(frame.data() + 4, length));
    frame.push_back(0x0D);
    frame.push_back(0x0A);
    return frame;
}

std::uint8_t lumoChecksum(const std::uint8_t* body, std::size_t count)
{
    return xorOf(body, count);
}

Bytes lumoFrame(std::uint8_t messageId, const Bytes& parameters)
{
    Bytes frame;
    frame.reserve(parameters.size() + 7);
    frame.push_back(0x25);
    frame.push_back(0x25);
    frame.push_back(0xF1);
    frame.push_back(messageId);
    for (std::uint8_t parameter : parameters)
        frame.push_back(parameter);
    frame.push_back(lumoChecksum(frame.data() + 2, frame.size() - 2));
    frame.push_back(0x0D);
    frame.push_back(0x0A);
    return frame;
}

VexaRestartFrame buildVexaRestartFrame(RestartKind kind, const RestartFix& fix)
{
    VexaRestartFrame frame = kRestartTemplate;
    frame[kRestartModeOffset] = vexaRestartMode(kind);
    putHexPairs(frame, 6, 2000 + fix.year);
    frame[8] = static_cast<std::uint8_t>(fix.month);
    frame[9] = static_cast<std::uint8_t>(fix.day);
    frame[10] = static_cast<std::uint8_t>(fix.hour);
    frame[11] = static_cast<std::uint8_t>(fix.minute);
    frame[12] = static_cast<std::uint8_t>(fix.second);
    putHexPairs(frame, 13, wholeDegrees(fix.latitude));
    putHexPairs(frame, 15, wholeDegrees(fix.longitude));
    frame[kRestartChecksumOffset] = vexaChecksum(frame.data() + 4, kRestartChecksumOffset - 4);
    return frame;
}

} // namespace norvane
