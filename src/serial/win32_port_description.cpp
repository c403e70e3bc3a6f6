#include "serial/port_description.h"

#include <windows.h>

namespace norvane {

// Windows knows its ports by their COM names already; the name is all there is to show.
PortDescription describePort(const std::string& portName, const std::filesystem::path&)
{
    PortDescription port;
    port.name = portName;
    char target[512];
    if (QueryDosDeviceA(portName.c_str(), target, sizeof target) != 0)
        port.presence = PortDescription::Presence::Present;
    return port;
}

} // namespace norvane
