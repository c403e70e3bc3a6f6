// The arguments of our command-line programs: "--name value" options and "--flag" switches read
// against a program's own tables, with --help and --version answered the same way everywhere.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace norvane {

// What every command answers by itself, whatever its options.
struct CommonArguments {
    bool help = false;
    bool version = false;
    std::string error; // empty when every argument was understood
};

template <class Options> struct CommandArguments : CommonArguments {
    Options options;
};

// Takes the option's text; false when the text is not a value for it.
template <class Options>
using ValueOptions = std::map<std::string, std::function<bool(Options&, const std::string&)>>;
template <class Options> using FlagOptions = std::map<std::string, std::function<void(Options&)>>;

// Reads the arguments after the program name; the first one not understood ends the reading.
template <class Options>
CommandArguments<Options> parseArguments(const std::vector<std::string>& arguments,
                                         const ValueOptions<Options>& values,
                                         const FlagOptions<Options>& flags = {})
{
    CommandArguments<Options> result;
    for (std::size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            result.help = true;
        } else if (name == "--version") {
            result.version = true;
        } else if (auto flag = flags.find(name); flag != flags.end()) {
            flag->second(result.options);
        } else if (auto option = values.find(name); option != values.end()) {
            if (i + 1 == arguments.size())
                result.error = name + " needs a value";
            else if (!option->second(result.options, arguments[i + 1]))
                result.error = "not a value for " + name + ": " + arguments[i + 1];
            ++i;
        } else {
            result.error = "unknown option: " + name;
        }
    }
    return result;
}

// --help (the usage on out), --version ("program 0.1.0" on out) and, after them, an argument
// not understood (the reason and the usage on err, status 2) end the command at once: the exit
// status then; nothing when the command is to run.
std::optional<int> answerCommonArguments(const CommonArguments& arguments, const char* program,
                                         const std::string& usage, std::ostream& out, std::ostream& err);

// Option values are read strictly: the whole text must be the number.
std::optional<long> wholeArgument(const std::string& text);
std::optional<double> numberArgument(const std::string& text); // finite only

} // namespace norvane
