#pragma once

#include <cstddef>
#include <type_traits>

namespace norvane {

// Long series are worked through a block at a time: at our optimisation level the compiler turns
// a loop into vector instructions only when its length is a constant. `work(start, count)` is
// called for every whole block with a count whose value is part of its type (so a loop up to it
// has a constant length), then once with the plain count of the values left over.
constexpr std::size_t kVectorBlock = 64;
using WholeBlock = std::integral_constant<std::size_t, kVectorBlock>;

template <class Work> void forEachBlock(std::size_t size, Work&& work)
{
    std::size_t start = 0;
    for (; start + kVectorBlock <= size; start += kVectorBlock)
        work(start, WholeBlock{});
    if (start < size)
        work(start, size - start);
}

} // namespace norvane
