#include "sim/command_frames.h"

namespace norvane::sim {

namespace {

constexpr std::uint8_t kVexaFirst = 0xA0, kVexaSecond = 0xA1;
constexpr std::uint8_t kCr = 0x0D, kLf = 0x0A;
constexpr std::uint8_t kRestartId = 0x01, kVexaQueryId = 0x02, kRevisionQueryId = 0x05;
constexpr std::size_t kVexaRestartPayload = 15;
constexpr std::size_t kLumoRestartParameters = 16;
// Far longer than any frame of the second family; bytes beyond it are noise.
constexpr std::size_t kLongestLumoBody = 64;

std::string vexaReply(std::uint8_t answerId, std::uint8_t messageId)
{
    std::uint8_t sum = answerId ^ messageId;
    return std::string{static_cast<char>(kVexaFirst),
                       static_cast<char>(kVexaSecond),
                       0x00,
                       0x02,
                       static_cast<char>(answerId),
                       static_cast<char>(messageId),
                       static_cast<char>(sum),
                       static_cast<char>(kCr),
                       static_cast<char>(kLf)};
}

} // namespace

std::optional<Command> CommandFrameReader::feed(std::uint8_t byte)
{
    switch (state_) {
    case State::Idle:
        if (byte == kVexaFirst)
            state_ = State::VexaSecond;
        else if (byte == kLumoStart)
            state_ = State::LumoSecond;
        return std::nullopt;
    case State::LumoSecond:
    case State::LumoMarker:
    case State::LumoBody:
        return feedLumo(byte);
    default:
        return feedVexa(byte);
    }
}

std::optional<Command> CommandFrameReader::feedVexa(std::uint8_t byte)
{
    switch (state_) {
    case State::VexaSecond:
        if (byte != kVexaSecond)
            return startOver(byte);
        bytes_.clear();
        state_ = State::VexaLength;
        return std::nullopt;
    case State::VexaLength:
        bytes_.push_back(byte);
        if (bytes_.size() == 2) {
            payloadLength_ = static_cast<std::size_t>(bytes_[0]) << 8 | bytes_[1];
            bytes_.clear();
            if (payloadLength_ == 0 || payloadLength_ > kLongestPayload)
                return reject(FrameFamily::Vexa);
            state_ = State::VexaPayload;
        }
        return std::nullopt;
    case State::VexaPayload:
        bytes_.push_back(byte);
        if (bytes_.size() == payloadLength_)
            state_ = State::VexaChecksum;
        return std::nullopt;
    case State::VexaChecksum:
        checksum_ = byte;
        endSeen_ = false;
        state_ = State::VexaEnd;
        return std::nullopt;
    default: // VexaEnd
        if (!endSeen_) {
            if (byte != kCr)
                return reject(FrameFamily::Vexa);
            endSeen_ = true;
            return std::nullopt;
        }
        if (byte != kLf)
            return reject(FrameFamily::Vexa);
        state_ = State::Idle;
        return vexaCommand();
    }
}

std::optional<Command> CommandFrameReader::feedLumo(std::uint8_t byte)
{
    switch (state_) {
    case State::LumoSecond:
        if (byte != kLumoStart)
            return startOver(byte);
        state_ = State::LumoMarker;
        return std::nullopt;
    case State::LumoMarker:
        if (byte != kLumoMarker)
            return reject(FrameFamily::Lumo);
        bytes_.assign(1, byte);
        state_ = State::LumoBody;
        return std::nullopt;
    default: // LumoBody
        bytes_.push_back(byte);
        if (byte == kLf && bytes_[bytes_.size() - 2] == kCr) {
            bytes_.resize(bytes_.size() - 2);
            state_ = State::Idle;
            return lumoCommand();
        }
        if (bytes_.size() > kLongestLumoBody)
            return reject(FrameFamily::Lumo);
        return std::nullopt;
    }
}

std::optional<Command> CommandFrameReader::startOver(std::uint8_t byte)
{
    // A start byte that was not followed by its partner may itself begin the next frame.
    state_ = State::Idle;
    return feed(byte);
}

std::optional<Command> CommandFrameReader::reject(FrameFamily family)
{
    state_ = State::Idle;
    bytes_.clear();
    Command command;
    command.family = family;
    return command;
}

Command CommandFrameReader::vexaCommand() const
{
    Command command;
    command.family = FrameFamily::Vexa;
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes_)
        sum ^= b;
    if (sum != checksum_)
        return command;
    command.messageId = bytes_[0];
    command.kind = CommandKind::Unknown;
    if (command.messageId == kVexaQueryId) {
        command.kind = CommandKind::Query;
    } else if (command.messageId == kRestartId && bytes_.size() == kVexaRestartPayload) {
        // Mode byte: 3 cold, 2 warm, 1 hot; any other mode is a message the receiver refuses.
        std::uint8_t mode = bytes_[1];
        if (mode >= 1 && mode <= 3) {
            command.kind = CommandKind::Restart;
            command.restart = mode == 3   ? RestartKind::Cold
                              : mode == 2 ? RestartKind::Warm
                                          : RestartKind::Hot;
        }
    }
    return command;
}

Command CommandFrameReader::lumoCommand() const
{
    Command command;
    command.family = FrameFamily::Lumo;
    // Marker, message id and checksum at the least.
    if (bytes_.size() < 3)
        return command;
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i + 1 < bytes_.size(); ++i)
        sum ^= bytes_[i];
    if (sum != bytes_.back())
        return command;
    command.messageId = bytes_[1];
    std::size_t parameters = bytes_.size() - 3;
    command.kind = CommandKind::Unknown;
    if (command.messageId == kRevisionQueryId) {
        command.kind = CommandKind::RevisionQuery;
    } else if (command.messageId == kRestartId && parameters == kLumoRestartParameters) {
        // The mode byte follows the flag byte: 3 cold, 2 warm, 0 hot.
        std::uint8_t mode = bytes_[3];
        if (mode == 3 || mode == 2 || mode == 0) {
            command.kind = CommandKind::Restart;
            command.restart = mode == 3   ? RestartKind::Cold
                              : mode == 2 ? RestartKind::Warm
                                          : RestartKind::Hot;
        }
    }
    return command;
}

std::string vexaAcknowledgement(std::uint8_t messageId)
{
    return vexaReply(0x83, messageId);
}

std::string vexaRefusal(std::uint8_t messageId)
{
    return vexaReply(0x84, messageId);
}

} // namespace norvane::sim
