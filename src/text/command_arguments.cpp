#include "text/command_arguments.h"

#include "norvane_version.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ostream>

namespace norvane {

std::optional<int> answerCommonArguments(const CommonArguments& arguments, const char* program,
                                         const std::string& usage, std::ostream& out, std::ostream& err)
{
    if (arguments.help) {
        out << usage;
        return 0;
    }
    if (arguments.version) {
        out << program << ' ' << kVersion << '\n';
        return 0;
    }
    if (!arguments.error.empty()) {
        err << program << ": " << arguments.error << "\n" << usage;
        return 2;
    }
    return std::nullopt;
}

std::optional<long> wholeArgument(const std::string& text)
{
    long value = 0;
    auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> numberArgument(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace norvane
