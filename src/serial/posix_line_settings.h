#pragma once

#include <optional>

namespace norvane {

// Line settings of an open terminal device. The rate goes through the kernel's arbitrary-rate
// interface so that every rate of the rate list is honoured, not only the classic B-constants;
// that interface cannot share a translation unit with <termios.h>, hence this small module.

// Puts the line into raw byte mode at `rate`, 8 data bits, no parity, one stop bit. Flow control
// and every other setting stay as the device reported them.
bool applyRawLineSettings(int fd, int rate);

// The output rate the device holds. On a pseudo-terminal the master reports the slave's settings.
std::optional<unsigned> lineRateOf(int fd);

} // namespace norvane
