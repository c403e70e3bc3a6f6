#include "ttff/command_line.h"

#include "control/restart_test_rules.h"
#include "control/ttff_record.h"
#include "text/command_arguments.h"

namespace norvane::ttff {

namespace {

const ValueOptions<RunOptions>& valueOptions()
{
    static const ValueOptions<RunOptions> options{
        {"--port",
         [](RunOptions& o, const std::string& t) {
             o.port = t;
             return !t.empty();
         }},
        {"--rate",
         [](RunOptions& o, const std::string& t) {
             o.rate = t;
             const auto rate = wholeArgument(t);
             return rate && *rate > 0;
         }},
        {"--family",
         [](RunOptions& o, const std::string& t) {
             const auto family = wholeArgument(t);
             o.family = family ? static_cast<int>(*family) : 0;
             return o.family == 1 || o.family == 2;
         }},
        {"--start",
         [](RunOptions& o, const std::string& t) {
             const auto kind = startFromName(t);
             o.start = kind.value_or(RestartKind::Hot);
             return kind.has_value();
         }},
        {"--cycles",
         [](RunOptions& o, const std::string& t) {
             const auto cycles = wholeArgument(t);
             o.cycles = cycles ? static_cast<int>(*cycles) : 0;
             return cycles && *cycles >= kRestartTestMinimum && *cycles <= kRestartTestMaximum;
         }},
        {"--wait",
         [](RunOptions& o, const std::string& t) {
             const auto wait = numberArgument(t);
             o.waitSeconds = wait.value_or(0);
             return wait && *wait >= 0 && *wait <= kRestartTestMaximum;
         }},
        {"--limit",
         [](RunOptions& o, const std::string& t) {
             const auto limit = wholeArgument(t);
             o.limitSeconds = limit ? static_cast<int>(*limit) : 0;
             return limit && *limit > 0 && *limit <= 86400;
         }},
        {"--csv",
         [](RunOptions& o, const std::string& t) {
             o.csvPath = t;
             return !t.empty();
         }},
    };
    return options;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result = parseArguments(arguments, valueOptions());
    if (result.error.empty() && !result.help && !result.version && result.options.port.empty())
        result.error = "--port is needed";
    return result;
}

std::string usageText()
{
    return R"(Usage: norvane-ttff --port PORT [options]
Restarts the GPS receiver on PORT again and again and measures each time to first fix (TTFF),
without a window. Prints one line per cycle and a summary, and writes every cycle to a CSV file.

  --port PORT       serial port, for example COM5
  --rate N          line rate (default 9600)
  --family 1|2      receiver family: 1 Vexa Series, 2 Lumo Series (default 1)
  --start KIND      hot, warm or cold (default hot)
  --cycles N        restarts to measure, 1 to 10000 (default 1)
  --wait S          seconds to wait after each fix before the next restart (default 5)
  --limit S         seconds a cycle may take before it counts as failed
                    (default: hot 60, warm 120, cold 300)
  --csv FILE        write the CSV to FILE instead of norvane-ttff-YYYYMMDD-hhmmss.csv
  --help            this text
  --version         the program's version

Ctrl+C or SIGTERM stops the run after its current step: the summary covers the cycles finished
and the CSV keeps their rows; a cycle cut short is left out.

Exit status: 0 every cycle got its fix, 1 a cycle timed out, 2 a port, argument or file error,
130 stopped by a signal.
)";
}

} // namespace norvane::ttff
