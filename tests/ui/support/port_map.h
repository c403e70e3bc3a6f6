#pragma once

// Points the port names COM1 to COM99 at devices for the length of a test, through the
// NORVANE_COMn variables: every port is mapped to a path that does not exist, so no real
// serial device of the machine is ever touched, and the ones a test names go where it says.
//
//     norvane::uitest::PortMap ports;          // COM1..COM99 all missing
//     ports.map(3, simulator.devicePath());   // "  COM3" is the simulator
//     ports.unmap(3);                          // COM3 missing again
//
// The previous values of the variables come back when the object goes away.

#include <map>
#include <optional>
#include <string>

namespace norvane::uitest {

class PortMap {
public:
    PortMap();
    ~PortMap();
    PortMap(const PortMap&) = delete;
    PortMap& operator=(const PortMap&) = delete;

    void map(int port, const std::string& device);
    void unmap(int port);
    static std::string missingDevice(int port);

private:
    std::map<int, std::optional<std::string>> saved_;
};

} // namespace norvane::uitest
