#pragma once

#include <string>
#include <string_view>

namespace norvane {

// The first character, or the character with code 0 for the empty text.
char firstCharacter(std::string_view text);

// At most `count` characters from the 1-based position `start` on; a start below 1 counts as 1,
// a start beyond the end or a count of 0 or less gives the empty text.
std::string substring(std::string_view text, int start, int count);

// The 1-based position of the first occurrence of `pattern`, 0 when there is none (also for the
// empty pattern).
int position(std::string_view text, std::string_view pattern);

} // namespace norvane
