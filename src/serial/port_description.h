#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace norvane {

// What a port name such as "COM65" leads to on this machine, for the port list and
// `norvane --list-ports`.
struct PortDescription {
    enum class Presence {
        Present,    // a device is there now
        Missing,    // nothing at the path
        NoHardware, // the device node exists, but no serial chip answers behind it
    };

    std::string name;
    // Where the name leads ("/dev/ttyACM0"); empty where the system itself knows the ports by
    // their COM names (Windows) or for a text that is no port name.
    std::string device;
    // "NORVANE_COM3" when that variable chose the device.
    std::string variable;
    Presence presence = Presence::Missing;
    // Maker and product of the USB device behind the port, when there is one.
    std::string product;
};

inline const std::filesystem::path kSysfsRoot = "/sys";

// The device behind the name, found now. The sysfs tree under `sysfsRoot` tells what hardware
// a device belongs to (POSIX only).
PortDescription describePort(const std::string& portName,
                             const std::filesystem::path& sysfsRoot = kSysfsRoot);

// One line: "COM65 = /dev/ttyACM0 (Example Corp GNSS Receiver)", "COM3 = /dev/pts/4 (set by
// NORVANE_COM3)", "COM34 = /dev/ttyUSB1 (no such device)"; just the name where there is no
// device path to show.
std::string descriptionText(const PortDescription& port);

// COM1 to COM99, those that lead to a device present now.
std::vector<PortDescription> presentPorts(const std::filesystem::path& sysfsRoot = kSysfsRoot);

} // namespace norvane
