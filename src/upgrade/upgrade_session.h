#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace norvane {

constexpr int kLoaderRows = 150;
constexpr int kLoaderRowSize = 50;
// The row keeps the characters, the line feed and the terminating zero.
constexpr int kLoaderLineMax = kLoaderRowSize - 2;
constexpr std::size_t kImageSlotSize = 8192;
constexpr std::size_t kImageSlots = 32;
constexpr std::size_t kImageCapacity = kImageSlotSize * kImageSlots;

// The download states, as the characters the session's state holds.
constexpr char kStateSendRequest = 'y';
constexpr char kStateAwaitReady = 'x';
constexpr char kStateSendLoader = 'f';
constexpr char kStateAwaitLoaderEnd = 'e';
constexpr char kStateSwitchRate = 'c';
constexpr char kStateSendHeader = 'b';
constexpr char kStateAwaitBlockAck = 'k';
constexpr char kStateSendBlock = 'p';
constexpr char kStateAwaitImageEnd = 'd';
constexpr char kStateStopped = ' ';

// "flash.srec" as the download sends it: one line per row.
struct LoaderLines {
    std::array<std::array<char, kLoaderRowSize>, kLoaderRows> rows{};
    int count = 0;
    int fileSize = 0; // as the file system reports it, line ends counted as two bytes
};

// "prom.bin" in 8192-byte slots.
struct FirmwareImage {
    std::array<std::uint8_t, kImageCapacity> bytes{};
    int size = 0;
    std::uint8_t checksum = 0; // sum of all bytes modulo 256
};

// The upgrade's records; they live for the whole run and start at zero.
struct UpgradeSession {
    // The download state; kStateSendRequest also means both files are loaded.
    char state = 0;
    LoaderLines loader;
    int loaderIndex = 0; // next line to send
    FirmwareImage image;
    int imageBytesDone = 0; // bytes read while loading, bytes sent while downloading
    int retryCounter = 0;   // empty ticks of the waiting states
    int blockIndex = 0;     // next slot to send
    // Ticks of the current waiting state that brought data but not the reply.
    int unansweredTicks = 0;
    // From the Upgrade click that starts Timer2 until the download ends, however it ends.
    bool running = false;

    // Forgets everything, as at program start.
    void clear() { *this = UpgradeSession{}; }
};

// The program-wide instance.
UpgradeSession& upgradeSession();

} // namespace norvane
