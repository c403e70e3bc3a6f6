#include "app/command_line.h"

#include "norvane_version.h"
#include "serial/port_description.h"

#include <string_view>

namespace norvane {

namespace {

constexpr std::string_view kUsage = R"(Usage: norvane [--no-settings | --list-ports | --help | --version]
Watches a GPS receiver module on a serial port: finds its port and rate if asked, shows the
fix, a sky plot, an SNR chart and every sentence, saves the raw stream to gpslog.txt, sends
restarts and downloads firmware. With no option it opens its window.

  --no-settings neither read nor write the remembered port, rate, receiver family,
                window places and last folder
  --list-ports  print each port name that leads to a device present now, one per line,
                with the device and, for USB, its maker and product; then exit
  --help        this text
  --version     the version

Port names are COM1 to COM99: COM1-32 are /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31,
COM65-96 /dev/ttyACM0-31 and COM97-99 /dev/rfcomm0-2; the environment variable
NORVANE_COMn=PATH points COMn at another device.
)";

// The flags of a run with windows, one entry each.
struct WindowFlag {
    std::string_view name;
    bool WindowOptions::*value;
};
constexpr WindowFlag kWindowFlags[] = {
    {"--no-settings", &WindowOptions::noSettings},
};

int listPorts(std::ostream& out, std::ostream& err)
{
    const auto ports = presentPorts();
    for (const PortDescription& port : ports)
        out << descriptionText(port) << '\n';
    if (ports.empty())
        err << "norvane: no port name leads to a device now\n";
    return 0;
}

} // namespace

std::optional<int> answerOnTerminal(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            out << kUsage;
            return 0;
        }
        if (argument == "--version") {
            out << "norvane " << kVersion << '\n';
            return 0;
        }
        if (argument == "--list-ports")
            return listPorts(out, err);
    }
    return std::nullopt;
}

WindowOptions windowOptions(int argc, char** argv)
{
    WindowOptions options;
    for (int i = 1; i < argc; ++i)
        for (const WindowFlag& flag : kWindowFlags)
            if (argv[i] == flag.name)
                options.*flag.value = true;
    return options;
}

} // namespace norvane
