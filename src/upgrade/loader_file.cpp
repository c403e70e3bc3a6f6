#include "upgrade/loader_file.h"

#include <cstdio>

namespace norvane {

LoaderLineSplitter::LoaderLineSplitter(LoaderLines& lines) : lines_(lines)
{
    lines_.count = 0;
}

bool LoaderLineSplitter::push(const char* text, std::size_t n)
{
    for (std::size_t i = 0; i < n && verdict_.result == LoaderFileResult::Loaded; ++i)
        pushByte(text[i]);
    return verdict_.result == LoaderFileResult::Loaded;
}

bool LoaderLineSplitter::pushByte(char c)
{
    // Checked before the line feed too: an empty line after the last row has no row to go to.
    if (length_ == 0 && lines_.count == kLoaderRows)
        return refuse(LoaderFileResult::TooManyLines);
    // A line is sent up to its zero byte, so a zero inside it would cut the line short.
    if (c == '\0')
        return refuse(LoaderFileResult::ZeroByte);
    if (c == '\n') {
        auto& row = lines_.rows[lines_.count];
        bool crBeforeFeed = length_ > 0 && row[length_ - 1] == '\r';
        int characters = crBeforeFeed ? length_ - 1 : length_;
        if (characters > kLoaderLineMax)
            return refuse(LoaderFileResult::LineTooLong);
        if (!crBeforeFeed)
            return refuse(LoaderFileResult::NotCrLf);
        row[characters] = '\n';
        row[characters + 1] = '\0';
        ++lines_.count;
        length_ = 0;
        return true;
    }
    // The row holds the characters and at most one carriage return before the line feed.
    if (length_ == kLoaderLineMax + 1)
        return refuse(LoaderFileResult::LineTooLong);
    lines_.rows[lines_.count][length_++] = c;
    return true;
}

bool LoaderLineSplitter::refuse(LoaderFileResult result)
{
    verdict_.result = result;
    verdict_.line = result == LoaderFileResult::TooManyLines ? 0 : lines_.count + 1;
    return false;
}

LoaderFileLoad LoaderLineSplitter::finish()
{
    if (verdict_.result != LoaderFileResult::Loaded)
        return verdict_;
    if (length_ > 0)
        refuse(LoaderFileResult::NotCrLf);
    else if (lines_.count == 0)
        verdict_.result = LoaderFileResult::Empty;
    return verdict_;
}

LoaderFileLoad loadLoaderFile(const std::string& path, LoaderLines& lines)
{
    // Read access only: a write-protected firmware file is still one the upgrade can send.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {LoaderFileResult::Missing, 0};
    std::fseek(file, 0, SEEK_END);
    lines.fileSize = static_cast<int>(std::ftell(file));
    std::fseek(file, 0, SEEK_SET);

    LoaderLineSplitter splitter(lines);
    char chunk[512];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        if (!splitter.push(chunk, got))
            break;
    std::fclose(file);
    return splitter.finish();
}

} // namespace norvane
