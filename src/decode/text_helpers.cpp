#include "decode/text_helpers.h"

namespace norvane {

char firstCharacter(std::string_view text)
{
    return text.empty() ? '\0' : text.front();
}

std::string substring(std::string_view text, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || static_cast<std::size_t>(start) > text.size())
        return {};
    return std::string(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

int position(std::string_view text, std::string_view pattern)
{
    if (pattern.empty())
        return 0;
    const std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace norvane
