#include "serial/port_description.h"
#include "serial/posix_device_names.h"

#include <cctype>
#include <fstream>
#include <optional>

namespace norvane {

namespace fs = std::filesystem;

namespace {

// A sysfs attribute: one line, without its line end.
std::string attribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

// The USB device a tty belongs to: its sysfs "device" is the USB interface (ttyACM) or a port
// below it (ttyUSB), so the device is a folder or two up, the first one with a vendor id.
std::optional<fs::path> usbDeviceOf(const fs::path& ttyFolder)
{
    std::error_code error;
    fs::path folder = fs::canonical(ttyFolder / "device", error);
    if (error)
        return std::nullopt;
    for (int up = 0; up < 4 && folder.has_relative_path(); ++up, folder = folder.parent_path())
        if (fs::exists(folder / "idVendor", error))
            return folder;
    return std::nullopt;
}

std::string productOf(const fs::path& usbDevice)
{
    const std::string maker = attribute(usbDevice / "manufacturer");
    const std::string product = attribute(usbDevice / "product");
    if (maker.empty() || product.rfind(maker, 0) == 0)
        return product.empty() ? maker : product;
    return product.empty() ? maker : maker + " " + product;
}

// The 8250 driver makes its ttyS nodes whether or not a chip is there; "type" 0 says none is.
bool isEmptyUartSlot(const fs::path& ttyFolder)
{
    return attribute(ttyFolder / "type") == "0";
}

} // namespace

PortDescription describePort(const std::string& portName, const fs::path& sysfsRoot)
{
    PortDescription port;
    port.name = portName;
    const auto device = deviceForPortName(portName);
    if (!device)
        return port;
    port.device = *device;
    port.variable = deviceVariableFor(portName).value_or("");

    std::error_code error;
    if (!fs::is_character_file(port.device, error))
        return port;
    // Through links such as /dev/serial/by-id/... to the kernel's own name for the device.
    const fs::path ttyFolder = sysfsRoot / "class" / "tty" / fs::canonical(port.device, error).filename();
    if (isEmptyUartSlot(ttyFolder)) {
        port.presence = PortDescription::Presence::NoHardware;
        return port;
    }
    port.presence = PortDescription::Presence::Present;
    if (const auto usbDevice = usbDeviceOf(ttyFolder))
        port.product = productOf(*usbDevice);
    return port;
}

} // namespace norvane
