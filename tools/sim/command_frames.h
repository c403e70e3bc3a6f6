// The binary command frames the simulated receiver understands, as they arrive byte by byte
// among whatever else the line carries.
//
// First family: A0 A1, payload length N (2 bytes, big-endian), N payload bytes (message id and
// parameters), XOR of the payload, 0D 0A. Second family: 25 25 F1, message id, parameters, XOR
// from F1 through the last parameter, 0D 0A; it has no length field.
#pragma once

#include "sim/fix_timeline.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace norvane::sim {

enum class CommandKind {
    Restart,       // either family; `restart` says which kind
    Query,         // the first family's query (message 0x02)
    RevisionQuery, // the second family's revision query (message 0x05)
    Unknown,       // a sound frame with a message the receiver does not know
    Rejected,      // wrong length, checksum or end bytes: a receiver drops such a frame unanswered
};

enum class FrameFamily { Vexa, Lumo };

// The second family's frames, and the receiver's answers to them, begin 25 25 F1.
inline constexpr std::uint8_t kLumoStart = 0x25, kLumoMarker = 0xF1;

struct Command {
    CommandKind kind = CommandKind::Rejected;
    FrameFamily family = FrameFamily::Vexa;
    std::uint8_t messageId = 0;
    RestartKind restart = RestartKind::Hot;
};

class CommandFrameReader {
public:
    // One received byte; a command once its frame's last byte has arrived.
    std::optional<Command> feed(std::uint8_t byte);

    // Longest first-family payload taken; a longer length field is a broken frame.
    static constexpr std::size_t kLongestPayload = 1024;

private:
    enum class State {
        Idle,
        VexaSecond,
        VexaLength,
        VexaPayload,
        VexaChecksum,
        VexaEnd,
        LumoSecond,
        LumoMarker,
        LumoBody
    };

    std::optional<Command> feedVexa(std::uint8_t byte);
    std::optional<Command> feedLumo(std::uint8_t byte);
    std::optional<Command> startOver(std::uint8_t byte);
    std::optional<Command> reject(FrameFamily family);
    Command vexaCommand() const;
    Command lumoCommand() const;

    State state_ = State::Idle;
    std::vector<std::uint8_t> bytes_; // length field, payload, or the second family's body
    std::size_t payloadLength_ = 0;
    std::uint8_t checksum_ = 0;
    bool endSeen_ = false;
};

// The first family's acknowledgement: A0 A1 00 02 83 <id> <checksum> 0D 0A.
std::string vexaAcknowledgement(std::uint8_t messageId);
// Its refusal of a message it does not know: the same with 0x84.
std::string vexaRefusal(std::uint8_t messageId);

} // namespace norvane::sim
