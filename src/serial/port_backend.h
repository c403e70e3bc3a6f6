#pragma once

#include "serial/port_description.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace norvane {

// The platform side of the serial link: the few primitive calls the link's operations are made
// of. One implementation per platform (termios on POSIX, the communications API on Windows),
// chosen at build time; tests may supply their own.
class PortBackend {
public:
    virtual ~PortBackend() = default;

    // Opens the port named like "COM3" (spaces already removed) exclusively, without touching
    // its settings. False when it is missing, busy or the name is not a port name.
    virtual bool open(const std::string& portName) = 0;
    virtual bool isOpen() const = 0;
    // Reads the port's current settings and writes them back with the rate, 8 data bits, no
    // parity, one stop bit and raw byte mode; flow control stays as the port had it.
    virtual bool applyLineSettings(int rate) = 0;
    // Discards both directions and closes; harmless on a closed port.
    virtual void close() = 0;
    // Discards what has been received and not yet delivered.
    virtual bool purgeReceive() = 0;
    // Bytes received and waiting, or nothing when the query fails (port gone or closed).
    virtual std::optional<std::uint32_t> queuedBytes() = 0;
    // Reads at most `count` bytes of what is waiting, never waiting for more; -1 on failure.
    virtual int read(std::uint8_t* dest, std::size_t count) = 0;
    virtual bool write(const std::uint8_t* data, std::size_t count) = 0;
    // Sizes the driver's receive and transmit queues and asks for received-character events.
    virtual bool setupQueues(int size) = 0;
    // The name leads to a device node with no serial chip behind it (an empty UART slot), which
    // opens as if it were a port but can never carry a byte.
    virtual bool noHardwareBehind(const std::string&) { return false; }
};

// The platform's backend; on POSIX it reads the hardware behind a device from the sysfs tree at
// `sysfsRoot`.
std::unique_ptr<PortBackend> makePlatformBackend(const std::filesystem::path& sysfsRoot = kSysfsRoot);

} // namespace norvane
