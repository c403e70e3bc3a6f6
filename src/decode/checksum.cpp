#include "decode/checksum.h"

#include "text/number_text.h"

#include <cstddef>
#include <string>

namespace norvane {

bool verifyChecksum(std::string_view sentence)
{
    const std::size_t length = sentence.size();
    if (length == 0 || sentence[0] != '$')
        return false;
    unsigned x = 0;
    std::size_t i = 1;
    while (i + 1 < length && sentence[i] != '*')
        x ^= static_cast<unsigned char>(sentence[i++]);
    // i + 1 is the 1-based position of the character at i; the last one never counts.
    const std::size_t star = i + 1;
    if (star >= length || star + 1 == length || star + 2 == length)
        return false;
    std::string digits = "0x";
    digits += sentence[i + 1];
    digits += sentence[i + 2];
    return (static_cast<unsigned>(textToInteger(digits)) & 0xFFu) == x;
}

} // namespace norvane
