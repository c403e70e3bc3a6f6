#include "ui/support/port_map.h"

#include <cstdlib>

namespace norvane::uitest {

namespace {

std::string variable(int port)
{
    return "NORVANE_COM" + std::to_string(port);
}

} // namespace

PortMap::PortMap()
{
    for (int port = 1; port <= 99; ++port) {
        const char* old = std::getenv(variable(port).c_str());
        saved_[port] = old ? std::optional<std::string>(old) : std::nullopt;
        unmap(port);
    }
}

PortMap::~PortMap()
{
    for (const auto& [port, old] : saved_) {
        if (old)
            ::setenv(variable(port).c_str(), old->c_str(), 1);
        else
            ::unsetenv(variable(port).c_str());
    }
}

void PortMap::map(int port, const std::string& device)
{
    ::setenv(variable(port).c_str(), device.c_str(), 1);
}

void PortMap::unmap(int port)
{
    map(port, missingDevice(port));
}

std::string PortMap::missingDevice(int port)
{
    return "/nonexistent/norvane-com" + std::to_string(port);
}

} // namespace norvane::uitest
