#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace norvane::fuzz {

// Reads a fuzz input front to back: a few leading bytes steer the run, the rest is the data
// the receiver "sends". Running out is never an error; reads past the end give zeros and empty
// pieces, so every input is a valid run.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Two bytes, high byte first.
    unsigned word()
    {
        const unsigned high = byte();
        return (high << 8) | byte();
    }
    // The next at most `count` bytes.
    std::string_view take(std::size_t count)
    {
        const std::size_t n = std::min(count, remaining());
        std::string_view piece(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return piece;
    }
    std::string_view rest() { return take(remaining()); }
    std::size_t remaining() const { return size_ - at_; }
    bool empty() const { return at_ == size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A broken promise of the code under test: reported and turned into a crash, so that libFuzzer
// keeps the input and a replay fails.
[[noreturn]] inline void broken(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
    std::abort();
}

} // namespace norvane::fuzz

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::norvane::fuzz::broken(#condition, __FILE__, __LINE__);                                         \
    } while (false)
