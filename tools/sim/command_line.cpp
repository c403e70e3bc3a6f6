#include "sim/command_line.h"

#include "sim/constellations.h"
#include "sim/reacquisition_time.h"

#include <map>
#include <optional>

namespace norvane::sim {

namespace {

// "2459.2057N": the number, then the hemisphere letter, which may be left off.
bool angle(const std::string& text, const char* hemispheres, double& value, char& hemisphere)
{
    std::string digits = text;
    if (!digits.empty() && (digits.back() == hemispheres[0] || digits.back() == hemispheres[1])) {
        hemisphere = digits.back();
        digits.pop_back();
    }
    auto parsed = numberArgument(digits);
    if (!parsed || *parsed < 0)
        return false;
    value = *parsed;
    return true;
}

std::optional<DownloadStep> downloadStep(const std::string& text)
{
    static const std::map<std::string, DownloadStep> steps{{"request", DownloadStep::Request},
                                                           {"loader", DownloadStep::Loader},
                                                           {"header", DownloadStep::Header},
                                                           {"block", DownloadStep::Block},
                                                           {"end", DownloadStep::End}};
    auto found = steps.find(text);
    if (found == steps.end())
        return std::nullopt;
    return found->second;
}

bool positive(double& field, const std::string& text, bool zeroAllowed)
{
    auto value = numberArgument(text);
    if (!value || *value < 0 || (!zeroAllowed && *value == 0))
        return false;
    field = *value;
    return true;
}

const ValueOptions<SimulatorOptions>& valueOptions()
{
    static const ValueOptions<SimulatorOptions> options{
        {"--rate",
         [](SimulatorOptions& o, const std::string& t) {
             auto rate = wholeArgument(t);
             o.rate = rate ? static_cast<int>(*rate) : 0;
             return rate && *rate > 0;
         }},
        {"--talker",
         [](SimulatorOptions& o, const std::string& t) {
             o.talker = t;
             return t == "GP" || t == "GN";
         }},
        {"--systems", [](SimulatorOptions& o, const std::string& t) { return parseSystems(t, o.systems); }},
        {"--bands", [](SimulatorOptions& o, const std::string& t) { return parseBands(t, o.bands); }},
        {"--nmea",
         [](SimulatorOptions& o, const std::string& t) {
             o.nmea410 = t != "4.0";
             return t == "4.0" || t == "4.10";
         }},
        {"--lat", [](SimulatorOptions& o,
                     const std::string& t) { return angle(t, "NS", o.latitude, o.latHemisphere); }},
        {"--lon", [](SimulatorOptions& o,
                     const std::string& t) { return angle(t, "EW", o.longitude, o.lonHemisphere); }},
        {"--alt",
         [](SimulatorOptions& o, const std::string& t) {
             auto value = numberArgument(t);
             o.altitude = value.value_or(0);
             return value.has_value();
         }},
        {"--speed", [](SimulatorOptions& o, const std::string& t) { return positive(o.speed, t, false); }},
        {"--replay",
         [](SimulatorOptions& o, const std::string& t) {
             o.replayFile = t;
             return !t.empty();
         }},
        {"--link",
         [](SimulatorOptions& o, const std::string& t) {
             o.linkPath = t;
             return !t.empty();
         }},
        {"--seed",
         [](SimulatorOptions& o, const std::string& t) {
             auto seed = wholeArgument(t);
             o.seed = seed ? static_cast<unsigned>(*seed) : 0;
             return seed && *seed >= 0;
         }},
        {"--cold",
         [](SimulatorOptions& o, const std::string& t) {
             return parseReacquisitionTime(t, o.coldSeconds, o.coldSpread);
         }},
        {"--warm",
         [](SimulatorOptions& o, const std::string& t) {
             return parseReacquisitionTime(t, o.warmSeconds, o.warmSpread);
         }},
        {"--hot", [](SimulatorOptions& o,
                     const std::string& t) { return parseReacquisitionTime(t, o.hotSeconds, o.hotSpread); }},
        {"--start",
         [](SimulatorOptions& o, const std::string& t) {
             o.startTime = t == "now" ? std::string() : t;
             return true;
         }},
        {"--noise", [](SimulatorOptions& o, const std::string& t) { return parseNoise(t, o.noise); }},
        {"--fix-rate",
         [](SimulatorOptions& o, const std::string& t) {
             const auto rate = wholeArgument(t);
             o.fixRate = rate ? static_cast<int>(*rate) : 0;
             return o.fixRate == 1 || o.fixRate == 2 || o.fixRate == 5 || o.fixRate == 10;
         }},
        {"--silent-at",
         [](SimulatorOptions& o, const std::string& t) {
             auto step = downloadStep(t);
             o.download.silentAt = step.value_or(DownloadStep::None);
             return step.has_value();
         }},
        {"--silent-times",
         [](SimulatorOptions& o, const std::string& t) {
             auto times = wholeArgument(t);
             o.download.silentTimes = times ? static_cast<int>(*times) : 0;
             return times && *times >= 0;
         }},
    };
    return options;
}

const FlagOptions<SimulatorOptions>& flagOptions()
{
    static const FlagOptions<SimulatorOptions> flags{
        {"--no-pacing", [](SimulatorOptions& o) { o.pacing = false; }},
        {"--no-ack", [](SimulatorOptions& o) { o.answerFrames = false; }},
        {"--no-banners", [](SimulatorOptions& o) { o.banners = false; }},
        {"--dated-version", [](SimulatorOptions& o) { o.datedVersionLine = true; }},
        {"--err-at-end", [](SimulatorOptions& o) { o.download.errAtEnd = true; }},
        {"--ok-banner", [](SimulatorOptions& o) { o.okInBanner = true; }},
        {"--xon-xoff-version", [](SimulatorOptions& o) { o.flowControlVersion = true; }},
        {"--xon-xoff-line", [](SimulatorOptions& o) { o.softwareFlowControl = true; }},
        {"--gst", [](SimulatorOptions& o) { o.gst = true; }},
    };
    return flags;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine command = parseArguments(arguments, valueOptions(), flagOptions());
    if (command.error.empty() && !command.options.bands.empty() && !command.options.nmea410)
        command.error = "--bands sends signal IDs, which --nmea 4.0 leaves out";
    return command;
}

std::string usageText()
{
    return R"(Usage: norvane-sim [options]
A simulated GPS receiver module on a pseudo-terminal. Prints the device path on its first
line, then runs until interrupted (SIGINT or SIGTERM).

  --rate N           line rate the receiver talks at (default 9600); at any other rate the
                     port hears garbage
  --talker GP|GN     talker of the sentences (default GP)
  --systems LIST     systems heard, of GP, GL, GA, GB, GQ, e.g. GP,GL,GA,GB (default GP); more
                     than GP: GN fixes, a GSA per system, GSV groups per system and signal
  --bands L1,L5|L1   every satellite heard on these bands, each GSV group with its NMEA 4.11
                     signal ID: GPS 1 and 7, GLONASS 1 (L1 only), Galileo 7 and 1, BeiDou 1
                     and 5, QZSS 1 and 7; on L5 a few dB off its L1 strength (without it:
                     no signal IDs for GPS alone, the signals of old for several systems)
  --nmea 4.10|4.0    with several systems: 4.0 leaves out system and signal IDs, and numbers
                     Galileo from 301, BeiDou from 401 and QZSS from 193 (default 4.10)
  --lat DDMM.MMMMH   latitude with N or S (default 2459.2057N)
  --lon DDDMM.MMMMH  longitude with E or W (default 12130.1234E)
  --alt METRES       altitude (default 56.3)
  --start TIME       UTC of the first sentence, "YYYY-MM-DD hh:mm:ss" or "now"
                     (default "2007-10-19 12:00:00")
  --speed X          run the receiver's clock X times faster (default 1)
  --no-pacing        send and take bytes as fast as possible, not ten bit times each
  --replay FILE      send a recorded log instead, at its own pace: bursts grouped by the
                     times of GGA, RMC, GNS, GLL and ZDA, each after the time between them
                     (a second when a time is missing, goes back or jumps over a minute)
  --link PATH        also make PATH a symbolic link to the device
  --seed N           sky and restart-time spread (default 1)
  --no-ack           ignore every command frame (no acknowledgement, no restart)
  --cold S, --warm S, --hot S
                     seconds without a fix after a restart (default 30, 20, 3), a tenth
                     either way; or MEAN:SPREAD, e.g. --hot 3:1, drawn from a log-normal
                     distribution of that mean and standard deviation
  --noise H[:V[:TAU]] Gaussian position error of sigma H metres east and north and V up
                     (default 1.5 H), each a first-order Gauss-Markov process of correlation
                     time TAU seconds (default 0: independent at every fix); positions then
                     carry seven decimals of minutes and altitudes three
  --gst              a GST sentence after each fix, claiming the noise's sigmas
  --fix-rate HZ      GGA, GSA and RMC 1, 2, 5 or 10 times a second (GSV once a second)
  --no-banners       no identification lines at start and after restarts
  --dated-version    add the dated version line to the identification lines
  --silent-at STEP   in firmware download, stay silent at request, loader, header, block
                     or end
  --silent-times N   only the first N answers of that step go missing (default: all)
  --err-at-end       answer "Err" after the last image block
  --ok-banner        add a text sentence holding "OK" to the identification lines
  --xon-xoff-version version reply with 0x11 and 0x13 as its date and CRC bytes
  --xon-xoff-line    the line starts with software flow control on, as a fresh serial port
  --help             this text
  --version          the version
)";
}

} // namespace norvane::sim
