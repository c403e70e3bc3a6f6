#include "app/command_line.h"

#include "replay/replay_pacing.h"
#include "serial/port_description.h"

namespace norvane {

namespace {

const ValueOptions<ProgramOptions>& valueOptions()
{
    static const ValueOptions<ProgramOptions> options{
        {"--replay",
         [](ProgramOptions& o, const std::string& t) {
             o.replayFile = t;
             return !t.empty();
         }},
        {"--speed",
         [](ProgramOptions& o, const std::string& t) {
             const auto speed = replaySpeedOfText(t);
             o.replaySpeed = speed.value_or(1);
             o.speedGiven = true;
             return speed.has_value();
         }},
    };
    return options;
}

const FlagOptions<ProgramOptions>& flagOptions()
{
    static const FlagOptions<ProgramOptions> flags{
        {"--list-ports", [](ProgramOptions& o) { o.listPorts = true; }},
    };
    return flags;
}

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

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine command = parseArguments(arguments, valueOptions(), flagOptions());
    if (command.error.empty() && command.options.speedGiven && command.options.replayFile.empty())
        command.error = "--speed needs --replay";
    return command;
}

std::string usageText()
{
    return R"(Usage: norvane [--replay FILE [--speed 1|2|5|10|60|max]] [--list-ports | --help | --version]
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

Exit status: 0, or 2 for an option it does not know or one without its value.
)";
}

std::optional<int> answerOnTerminal(const CommandLine& command, std::ostream& out, std::ostream& err)
{
    if (const auto status = answerCommonArguments(command, "norvane", usageText(), out, err))
        return status;
    if (command.options.listPorts)
        return listPorts(out, err);
    return std::nullopt;
}

} // namespace norvane
