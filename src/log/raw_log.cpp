#include "log/raw_log.h"

namespace norvane {

RawLog::~RawLog()
{
    close();
}

bool RawLog::open(const std::string& path)
{
    close();
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
