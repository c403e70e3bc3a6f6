#include "log/raw_log.h"

#include "log/file_naming.h"

#include <chrono>
#include <filesystem>

namespace norvane {

namespace {

namespace fs = std::filesystem;

// Moves a log that holds anything out of the way, under the name of its last change.
bool keepEarlierLog(const std::string& path)
{
    std::error_code problem;
    if (!fs::is_regular_file(path, problem) || fs::file_size(path, problem) == 0 || problem)
        return true;
    const fs::file_time_type changed = fs::last_write_time(path, problem);
    if (problem)
        return false;
    const auto changedSystem = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        std::chrono::file_clock::to_sys(changed));
    const fs::path log(path);
    const std::string stem = (log.parent_path() / log.stem()).string() + "-" +
                             localTimeStamp(std::chrono::system_clock::to_time_t(changedSystem));
    fs::rename(log, freePath(stem, log.extension().string()), problem);
    return !problem;
}

} // namespace

RawLog::~RawLog()
{
    close();
}

bool RawLog::open(const std::string& path)
{
    close();
    if (!keepEarlierLog(path))
        return false;
    // Binary, so that the line-end translation below is the only one on every platform.
    file_ = std::fopen(path.c_str(), "w+b");
    return file_ != nullptr;
}

void RawLog::close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void RawLog::write(const std::string& text)
{
    if (!file_)
        return;
    std::string block;
    block.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n')
            block += '\r';
        block += c;
    }
    std::fwrite(block.data(), 1, block.size(), file_);
}

} // namespace norvane
