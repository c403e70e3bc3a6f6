#include "support/command_folder.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace norvane::test {

namespace fs = std::filesystem;

CommandFolder::CommandFolder(const std::string& name)
    : path_(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
{
    fs::create_directories(path_);
}

CommandFolder::~CommandFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string CommandFolder::shellLine(const std::string& environment, const std::string& command,
                                     const std::string& arguments) const
{
    return "cd '" + path_.string() + "' && " + environment + " exec '" + command + "' " + arguments;
}

std::vector<fs::path> CommandFolder::csvFiles() const
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(path_))
        if (entry.path().extension() == ".csv")
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

int runShell(const std::string& line, std::string& output)
{
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        return -1;
    char chunk[4096];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> splitText(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

} // namespace norvane::test
