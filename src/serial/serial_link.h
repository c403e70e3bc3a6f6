#pragma once

#include "serial/port_backend.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace norvane {

// The fastest rate of the rate list; a receive-loop tick at it may take two seconds of the line.
constexpr int kFastestListedRate = 128000;
// Bytes a line carries in two seconds at this rate, ten bits a byte.
constexpr std::uint32_t twoSecondsOfLine(int rate)
{
    return rate <= 0 ? 0 : static_cast<std::uint32_t>(rate / 10 * 2);
}
// The program-wide block that the receive loop, the auto-scan and the download read into: two
// seconds of the fastest listed rate, and never less than the 8192 bytes the download was
// designed around.
constexpr std::size_t kReceiveBufferSize = std::max<std::size_t>(8192, twoSecondsOfLine(kFastestListedRate));
// What one receive-loop tick may read at the connected rate: 1000 bytes up to 9600 baud, where
// the line cannot carry more in a second; above it two seconds of the line, so that a receiver
// sending more than 1000 bytes a second is read rather than discarded.
std::uint32_t tickReadLimit(int rate);

using ReceiveBuffer = std::array<std::uint8_t, kReceiveBufferSize>;

// What read available takes at most when the caller names no other limit.
constexpr std::uint32_t kReadAvailableLimit = 1000;

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
    // At most `limit` bytes (1000 unless the caller reads at the line's rate); a larger backlog
    // is discarded once (see the definition).
    int readAvailable(ReceiveBuffer& dest, std::uint32_t limit = kReadAvailableLimit);
    int readQueued(ReceiveBuffer& dest);
    bool writeBytes(const void* data, std::size_t count);
    bool setQueueSizes(int size);

    bool isOpen() const;
    // The port text names an empty UART slot: a device node without a serial chip behind it.
    bool noHardwareBehind(const std::string& portText);
    // The rate the last successful set line settings gave the port; 0 before any.
    int lineRate() const { return lineRate_; }

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
    int lineRate_ = 0;
    std::int64_t lastWriteMs_ = 0;
};

} // namespace norvane
