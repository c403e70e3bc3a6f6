#include "ui/support/port_map.h"

#include <QByteArray>
#include <QtGlobal>

namespace norvane::uitest {

namespace {

// Qt's environment calls, not ::setenv: they share a lock with the test library's watchdog
// thread, which reads the environment as each test function starts.
QByteArray variable(int port)
{
    return QByteArray("NORVANE_COM") + QByteArray::number(port);
}

} // namespace

PortMap::PortMap()
{
    for (int port = 1; port <= 99; ++port) {
        const QByteArray name = variable(port);
        saved_[port] = qEnvironmentVariableIsSet(name.constData())
                           ? std::optional<std::string>(qgetenv(name.constData()).toStdString())
                           : std::nullopt;
        unmap(port);
    }
}

PortMap::~PortMap()
{
    for (const auto& [port, old] : saved_) {
        if (old)
            qputenv(variable(port).constData(), QByteArray::fromStdString(*old));
        else
            qunsetenv(variable(port).constData());
    }
}

void PortMap::map(int port, const std::string& device)
{
    qputenv(variable(port).constData(), QByteArray::fromStdString(device));
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
