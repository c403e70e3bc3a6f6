#include "serial/port_description.h"

namespace norvane {

std::string descriptionText(const PortDescription& port)
{
    if (port.device.empty())
        return port.name;
    std::string notes;
    auto note = [&notes](const std::string& text) { notes += (notes.empty() ? "" : ", ") + text; };
    if (!port.variable.empty())
        note("set by " + port.variable);
    if (port.presence == PortDescription::Presence::Missing)
        note("no such device");
    else if (port.presence == PortDescription::Presence::NoHardware)
        note("no serial port behind it");
    else if (!port.product.empty())
        note(port.product);
    std::string text = port.name + " = " + port.device;
    return notes.empty() ? text : text + " (" + notes + ")";
}

std::vector<PortDescription> presentPorts(const std::filesystem::path& sysfsRoot)
{
    std::vector<PortDescription> present;
    for (int number = 1; number <= 99; ++number) {
        PortDescription port = describePort("COM" + std::to_string(number), sysfsRoot);
        if (port.presence == PortDescription::Presence::Present)
            present.push_back(std::move(port));
    }
    return present;
}

} // namespace norvane
