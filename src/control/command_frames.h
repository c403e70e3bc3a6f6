#pragma once

#include "control/restart_kind.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace norvane {

using Bytes = std::vector<std::uint8_t>;

// Vexa frame: A0 A1, big-endian payload length, message id and parameters, XOR of the payload,
// 0D 0A. The checksum covers neither the start bytes nor the length.
std::uint8_t vexaChecksum(const std::uint8_t* payload, std::size_t count);
Bytes vexaFrame(std::uint8_t messageId, const Bytes& parameters);

// Lumo frame: "%%", F1, message id and parameters, XOR from the F1 through the last parameter,
// 0D 0A. There is no length field.
std::uint8_t lumoChecksum(const std::uint8_t* body, std::size_t count);
Bytes lumoFrame(std::uint8_t messageId, const Bytes& parameters);

// The frames the program sends exactly as stored.
inline constexpr std::array<std::uint8_t, 9> kVexaQuery = {0xA0, 0xA1, 0x00, 0x02, 0x02,
                                                           0x01, 0x03, 0x0D, 0x0A};
inline constexpr std::array<std::uint8_t, 9> kLumoRevisionQuery = {0x25, 0x25, 0xF1, 0x05, 0x01,
                                                                   0x01, 0xF4, 0x0D, 0x0A};
inline constexpr std::array<std::uint8_t, 23> kLumoColdRestart = {
    0x25, 0x25, 0xF1, 0x01, 0x01, 0x03, 0xD4, 0x07, 0x02, 0x0E, 0x00, 0x00,
    0x00, 0x00, 0x18, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x38, 0x0D, 0x0A};
inline constexpr std::array<std::uint8_t, 23> kLumoWarmRestart = {
    0x25, 0x25, 0xF1, 0x01, 0x01, 0x02, 0xD7, 0x07, 0x05, 0x17, 0x03, 0x22,
    0x2B, 0x00, 0x39, 0x13, 0xEA, 0xCF, 0x00, 0x00, 0x34, 0x0D, 0x0A};
inline constexpr std::array<std::uint8_t, 23> kLumoHotRestart = {
    0x25, 0x25, 0xF1, 0x01, 0x00, 0x00, 0xD7, 0x07, 0x05, 0x17, 0x03, 0x33,
    0x11, 0x00, 0x39, 0x13, 0xEA, 0xCF, 0x00, 0x00, 0x1C, 0x0D, 0x0A};

constexpr std::size_t kVexaRestartFrameSize = 22;
using VexaRestartFrame = std::array<std::uint8_t, kVexaRestartFrameSize>;

// What a restart frame carries from the latest fix. Only the low byte of each date and time
// field is sent; latitude and longitude are ddmm and dddmm already cut to whole numbers.
struct RestartFix {
    int year = 0; // two digits
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int latitude = 0;
    int longitude = 0;
};

VexaRestartFrame buildVexaRestartFrame(RestartKind kind, const RestartFix& fix);

} // namespace norvane
