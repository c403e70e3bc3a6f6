#pragma once

// A folder of a test's own in which it starts the program's commands as a user does, by a shell
// line; the folder goes, with all in it, when the object does.

#include <filesystem>
#include <string>
#include <vector>

namespace norvane::test {

class CommandFolder {
public:
    // <temporary folder>/<name>-<process id>
    explicit CommandFolder(const std::string& name);
    ~CommandFolder();
    CommandFolder(const CommandFolder&) = delete;
    CommandFolder& operator=(const CommandFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // "cd '<folder>' && <environment> exec '<command>' <arguments>"
    std::string shellLine(const std::string& environment, const std::string& command,
                          const std::string& arguments) const;
    // The .csv files in the folder, by name.
    std::vector<std::filesystem::path> csvFiles() const;

private:
    std::filesystem::path path_;
};

// Runs a shell line, adding what it prints to `output`: its exit code, -1 if it did not exit.
int runShell(const std::string& line, std::string& output);

// The parts between separators; a separator at the end leaves an empty last part.
std::vector<std::string> splitText(const std::string& text, char separator);

} // namespace norvane::test
