#pragma once

#include "serial/port_backend.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace norvane {

constexpr std::size_t kReceiveBufferSize = 8192;
// The program-wide block that the receive loop, the auto-scan and the download read into.
using ReceiveBuffer = std::array<std::uint8_t, kReceiveBufferSize>;

// Raised when a rate text is not a decimal number; the window shows it in its error box.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rate of a combo-box text such as "  4800", truncated to an integer.
// Throws ConversionError with "'<text>' is not a valid floating point value".
int rateFromText(const std::string& text);

// "  COM3" -> "COM3": every space dropped.
std::string portNameFromText(const std::string& portText);

// The one connection to the receiver: a single port, opened exclusively.
class SerialLink {
public:
    explicit SerialLink(std::unique_ptr<PortBackend> backend = makePlatformBackend());

    bool openPort(const std::string& portText);
    // Throws ConversionError before touching the port when the rate text is not a number.
    bool setLineSettings(const std::string& rateText);
    bool openLink(const std::string& portText, const std::string& rateText);
    void closePort();
    bool purgeInput();
    // At most 1000 bytes; a larger backlog is discarded once (see the definition).
    int readAvailable(ReceiveBuffer& dest);
    int readQueued(ReceiveBuffer& dest);
    bool writeBytes(const void* data, std::size_t count);
    bool setQueueSizes(int size);

    bool isOpen() const;

    // Direct access for the acknowledgement wait: the queued count (nothing when the query
    // fails) and a read of at most `count` of the waiting bytes.
    std::optional<std::uint32_t> queryQueued();
    int readWaiting(std::uint8_t* dest, std::size_t count);

    // When the last write ended, on the clock seam: a restart's TTFF counts from there.
    std::int64_t lastWriteMs() const { return lastWriteMs_; }

    std::uint32_t readCount() const { return readCount_; }
    std::uint32_t lastQueued() const { return lastQueued_; }

private:
    // Purges the receive queue, retrying a failing purge a few times; false when it never worked.
    bool discardBacklog();

    std::unique_ptr<PortBackend> backend_;
    std::uint32_t readCount_ = 0;
    std::uint32_t lastQueued_ = 0;
    std::int64_t lastWriteMs_ = 0;
};

} // namespace norvane
