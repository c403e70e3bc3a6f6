#pragma once

#include <optional>
#include <string>

namespace norvane {

// The device behind a port name such as "COM3": the path in NORVANE_COM3 when that is set,
// otherwise COM1-32 are /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31 and
// COM97-99 /dev/rfcomm0-2. Nothing for any other name.
std::optional<std::string> deviceForPortName(const std::string& portName);

// "NORVANE_COM3" for "COM3" when that variable is set to a path; nothing otherwise.
std::optional<std::string> deviceVariableFor(const std::string& portName);

// The port number of "COM1" to "COM99", without leading zeros; nothing for any other text.
std::optional<int> comPortNumber(const std::string& portName);

} // namespace norvane
