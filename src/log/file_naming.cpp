#include "log/file_naming.h"

#include <filesystem>

namespace norvane {

std::string localTimeStamp(std::time_t moment)
{
    const std::tm* local = std::localtime(&moment);
    char text[32] = "";
    if (local)
        std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local);
    return text;
}

std::string freePath(const std::string& stem, const std::string& extension)
{
    std::string path = stem + extension;
    std::error_code ignored;
    for (int n = 2; std::filesystem::exists(path, ignored) && n < 10000; ++n)
        path = stem + "-" + std::to_string(n) + extension;
    return path;
}

} // namespace norvane
