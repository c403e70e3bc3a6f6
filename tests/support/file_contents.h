// The whole of a file the tests read: recorded streams and their expected values.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace norvane::test {

inline std::string fileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace norvane::test
