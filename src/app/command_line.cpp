#include "app/command_line.h"

#include "norvane_version.h"
#include "replay/replay_pacing.h"
#include "serial/port_description.h"
#include "text/command_arguments.h"

#include <string_view>

namespace norvane {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: norvane [--replay FILE [--speed 1|2|5|10|60|max]] [--list-ports | --help | --version]
Watches a GPS receiver module on a serial port: finds its port and rate if asked, shows the
fix, a sky plot, an SNR chart and every sentence, saves the raw stream to gpslog.txt, sends
restarts and downloads firmware. With no option it opens its window.

  --replay FILE  open the window replaying FILE (gpslog.txt or any NMEA recording) as if its
                 receiver were connected; the receiver-family question is still asked
  --speed S      the replay's speed: 1, 2, 5, 10 or 60 times the recording's own pace, or
                 max, as fast as the window keeps up (default 1)
  --list-ports   print each port name that leads to a device present now, one per line,
                 with the device and, for USB, its maker and product; then exit
  --help         this text
  --version      the version

Port names are COM1 to COM99: COM1-32 are /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31,
COM65-96 /dev/ttyACM0-31 and COM97-99 /dev/rfcomm0-2; the environment variable
NORVANE_COMn=PATH points COMn at another device.
)";

int listPorts(std::ostream& out, std::ostream& err)
{
    const auto ports = presentPorts();
    for (const PortDescription& port : ports)
        out << descriptionText(port) << '\n';
    if (ports.empty())
        err << "norvane: no port name leads to a device now\n";
    return 0;
}

// The window's own options, each with its value.
const ValueOptions<WindowOptions>& windowOptions()
{
    static const ValueOptions<WindowOptions> options{
        {"--replay",
         [](WindowOptions& o, const std::string& t) {
             o.replayFile = t;
             return !t.empty();
         }},
        {"--speed",
         [](WindowOptions& o, const std::string& t) {
             const auto speed = replaySpeedOfText(t);
             o.replaySpeed = speed.value_or(1);
             o.speedGiven = true;
             return speed.has_value();
         }},
    };
    return options;
}

int refuse(const std::string& reason, std::ostream& err)
{
    err << "norvane: " << reason << '\n' << kUsage;
    return 2;
}

} // namespace

std::optional<int> answerOnTerminal(int argc, char** argv, std::ostream& out, std::ostream& err,
                                    WindowOptions& window)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (const auto option = windowOptions().find(argument); option != windowOptions().end()) {
            if (i + 1 == argc)
                return refuse(argument + " needs a value", err);
            if (!option->second(window, argv[++i]))
                return refuse("not a value for " + argument + ": " + argv[i], err);
            continue;
        }
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
    if (window.speedGiven && window.replayFile.empty())
        return refuse("--speed needs --replay", err);
    return std::nullopt;
}

} // namespace norvane
