// The whole of a file the tests read: recorded streams and their expected values.
#pragma once

#include <fstream>
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

} // namespace norvane::test
