#pragma once

#include <cstddef>
#include <cstdint>

namespace norvane {

enum class ImageEndReply { None, End, Err };

// True when text lies wholly inside the n bytes read in one tick.
bool containsReply(const std::uint8_t* bytes, std::size_t n, const char* text);
// The first of "END" and "Err" in the bytes read; at one position "END" is looked for first.
ImageEndReply findImageEndReply(const std::uint8_t* bytes, std::size_t n);

} // namespace norvane
