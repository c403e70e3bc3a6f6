#include "ttff/command_line.h"

#include "control/restart_test_rules.h"
#include "control/ttff_record.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace norvane::ttff {

namespace {

std::optional<long> whole(const std::string& text)
{
    long value = 0;
    auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> number(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

using ValueOption = std::function<bool(RunOptions&, const std::string&)>;

const std::map<std::string, ValueOption>& valueOptions()
{
    static const std::map<std::string, ValueOption> options{
        {"--port",
         [](RunOptions& o, const std::string& t) {
             o.port = t;
             return !t.empty();
         }},
        {"--rate",
         [](RunOptions& o, const std::string& t) {
             o.rate = t;
             const auto rate = whole(t);
             return rate && *rate > 0;
         }},
        {"--family",
         [](RunOptions& o, const std::string& t) {
             const auto family = whole(t);
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
             const auto cycles = whole(t);
             o.cycles = cycles ? static_cast<int>(*cycles) : 0;
             return cycles && *cycles >= kRestartTestMinimum && *cycles <= kRestartTestMaximum;
         }},
        {"--wait",
         [](RunOptions& o, const std::string& t) {
             const auto wait = number(t);
             o.waitSeconds = wait.value_or(0);
             return wait && *wait >= 0 && *wait <= kRestartTestMaximum;
         }},
        {"--limit",
         [](RunOptions& o, const std::string& t) {
             const auto limit = whole(t);
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
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            result.help = true;
        } else if (name == "--version") {
            result.version = true;
        } else if (auto option = valueOptions().find(name); option != valueOptions().end()) {
            if (i + 1 == arguments.size())
                result.error = name + " needs a value";
            else if (!option->second(result.options, arguments[i + 1]))
                result.error = "not a value for " + name + ": " + arguments[i + 1];
            ++i;
        } else {
            result.error = "unknown option: " + name;
        }
    }
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

Exit status: 0 every cycle got its fix, 1 a cycle timed out, 2 a port, argument or file error.
)";
}

} // namespace norvane::ttff
