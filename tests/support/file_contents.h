// The whole of a file the tests read: recorded streams and their expected values.
#pragma once

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace norvane::test {

inline std::string fileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The lines of an expected-values file, its '#' lines and empty lines left out.
inline std::vector<std::string> expectedLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(fileContents(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    return lines;
}

// A recording of tests/data cut into its seconds as a line would bring them, each from one GGA
// to the next; GSV sentences whose talker and signal ID (as "GA7") are in `droppedGsv` are left
// out.
inline std::vector<std::string> recordedSeconds(const std::string& name,
                                                const std::set<std::string>& droppedGsv = {})
{
    std::vector<std::string> seconds;
    std::istringstream in(fileContents(std::string(NORVANE_TEST_DATA_DIR "/") + name));
    for (std::string line; std::getline(in, line);) {
        const std::string type = line.size() > 6 ? line.substr(3, 3) : std::string();
        const std::size_t star = line.find('*');
        if (type == "GSV" && star != std::string::npos &&
            droppedGsv.count(line.substr(1, 2) + line[star - 1]))
            continue;
        if (type == "GGA" || seconds.empty())
            seconds.emplace_back();
        seconds.back() += line + "\n";
    }
    return seconds;
}

} // namespace norvane::test
