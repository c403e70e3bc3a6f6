#include "serial/posix_device_names.h"

#include <cstdlib>

namespace norvane {

namespace {

struct DeviceRange {
    int firstPort;
    int lastPort;
    const char* prefix;
};

constexpr DeviceRange kDeviceRanges[] = {
    {1, 32, "/dev/ttyS"},
    {33, 64, "/dev/ttyUSB"},
    {65, 96, "/dev/ttyACM"},
    {97, 99, "/dev/rfcomm"},
};

} // namespace

std::optional<int> comPortNumber(const std::string& portName)
{
    if (portName.size() < 4 || portName.size() > 5 || portName.compare(0, 3, "COM") != 0)
        return std::nullopt;
    if (portName[3] == '0')
        return std::nullopt;
    int number = 0;
    for (std::size_t i = 3; i < portName.size(); ++i) {
        if (portName[i] < '0' || portName[i] > '9')
            return std::nullopt;
        number = number * 10 + (portName[i] - '0');
    }
    return number;
}

std::optional<std::string> deviceVariableFor(const std::string& portName)
{
    const auto number = comPortNumber(portName);
    if (!number)
        return std::nullopt;
    std::string variable = "NORVANE_COM" + std::to_string(*number);
    if (const char* overridden = std::getenv(variable.c_str()); !overridden || !*overridden)
        return std::nullopt;
    return variable;
}

std::optional<std::string> deviceForPortName(const std::string& portName)
{
    const auto number = comPortNumber(portName);
    if (!number)
        return std::nullopt;
    if (const auto variable = deviceVariableFor(portName))
        return std::string(std::getenv(variable->c_str()));
    for (const DeviceRange& range : kDeviceRanges)
        if (*number >= range.firstPort && *number <= range.lastPort)
            return range.prefix + std::to_string(*number - range.firstPort);
    return std::nullopt;
}

} // namespace norvane
