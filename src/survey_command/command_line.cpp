#include "survey_command/command_line.h"

#include "survey/survey_reference.h"

namespace norvane::survey {

namespace {

const ValueOptions<SurveyOptions>& valueOptions()
{
    static const ValueOptions<SurveyOptions> options{
        {"--port",
         [](SurveyOptions& o, const std::string& t) {
             o.ports.push_back({t});
             return !t.empty();
         }},
        // The rate of the port named last.
        {"--rate",
         [](SurveyOptions& o, const std::string& t) {
             const auto rate = wholeArgument(t);
             if (o.ports.empty()) {
                 o.rateBeforePort = true;
                 return false;
             }
             o.ports.back().rate = t;
             return rate && *rate > 0;
         }},
        {"--log",
         [](SurveyOptions& o, const std::string& t) {
             o.logPath = t;
             return !t.empty();
         }},
        {"--duration",
         [](SurveyOptions& o, const std::string& t) {
             o.durationSeconds = numberArgument(t);
             return o.durationSeconds && *o.durationSeconds > 0;
         }},
        {"--epochs",
         [](SurveyOptions& o, const std::string& t) {
             o.epochs = wholeArgument(t);
             return o.epochs && *o.epochs > 0;
         }},
        {"--reference",
         [](SurveyOptions& o, const std::string& t) {
             o.reference = referenceOfText(t, o.referenceError);
             return o.reference.has_value();
         }},
        {"--csv",
         [](SurveyOptions& o, const std::string& t) {
             o.csvPath = t;
             return !t.empty();
         }},
    };
    return options;
}

const FlagOptions<SurveyOptions>& flagOptions()
{
    static const FlagOptions<SurveyOptions> flags{{"--json", [](SurveyOptions& o) { o.json = true; }}};
    return flags;
}

std::string combinationError(const SurveyOptions& o)
{
    if (o.ports.empty() && o.logPath.empty())
        return "--port or --log is needed";
    if (!o.ports.empty() && !o.logPath.empty())
        return "--port and --log do not go together";
    if (!o.ports.empty() && !o.durationSeconds && !o.epochs)
        return "--duration or --epochs is needed with --port";
    if (!o.logPath.empty() && (o.durationSeconds || o.epochs))
        return "--duration and --epochs are for --port; --log reads the whole file";
    return {};
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result = parseArguments(arguments, valueOptions(), flagOptions());
    if (result.options.rateBeforePort)
        result.error = "--rate gives the rate of the --port before it";
    else if (!result.options.referenceError.empty() && !result.error.empty())
        result.error = "--reference: " + result.options.referenceError;
    if (result.error.empty() && !result.help && !result.version)
        result.error = combinationError(result.options);
    return result;
}

std::string usageText()
{
    return R"(Usage: norvane-survey --port PORT [--rate N] [--port PORT [--rate N] ...]
                      (--duration SECONDS | --epochs N) [options]
       norvane-survey --log FILE [options]
Surveys the positions of GPS receivers without a window: how far each fix lies from a reference,
in metres east, north and up, with CEP50, R95, R99, 2DRMS, V50, V95 and more. Several receivers
are surveyed over the same period; a recorded NMEA log is read as fast as it goes. Writes one CSV
row per epoch, a progress line every 10 seconds and a summary at the end or on Ctrl+C.

  --port PORT        serial port of a receiver, for example COM5; repeat for more receivers
  --rate N           line rate of the port before it (default 9600)
  --duration S       seconds to survey
  --epochs N         epochs to survey per receiver (whichever of the two ends first)
  --log FILE         a recorded log (gpslog.txt or any NMEA capture) instead of ports
  --reference LAT,LON,H
                     a surveyed reference: signed decimal degrees and ellipsoidal height in
                     metres (default: the mean of the fixes)
  --csv FILE         write the CSV to FILE (with several ports: -PORT before .csv) instead of
                     norvane-survey-YYYYMMDD-hhmmss[-PORT].csv
  --json             one JSON object per receiver, one per line, instead of the tables
  --help             this text
  --version          the program's version

Exit status: 0 every receiver gave a fix, 1 one gave none, 2 a port, argument or file error.
)";
}

} // namespace norvane::survey
