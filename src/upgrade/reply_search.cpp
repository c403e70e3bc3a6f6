#include "upgrade/reply_search.h"

#include <cstring>

namespace norvane {

namespace {

bool startsAt(const std::uint8_t* bytes, std::size_t n, std::size_t i, const char* text, std::size_t length)
{
    return i + length <= n && std::memcmp(bytes + i, text, length) == 0;
}

} // namespace

// Only the bytes of one read count: a reply split across two reads is not seen, and nothing
// beyond the bytes read is looked at, even when the read filled the whole buffer.
bool containsReply(const std::uint8_t* bytes, std::size_t n, const char* text)
{
    std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i + length <= n; ++i)
        if (startsAt(bytes, n, i, text, length))
            return true;
    return false;
}

ImageEndReply findImageEndReply(const std::uint8_t* bytes, std::size_t n)
{
    for (std::size_t i = 0; i + 3 <= n; ++i) {
        if (startsAt(bytes, n, i, "END", 3))
            return ImageEndReply::End;
        if (startsAt(bytes, n, i, "Err", 3))
            return ImageEndReply::Err;
    }
    return ImageEndReply::None;
}

} // namespace norvane
