#include "sim/line_garbler.h"

namespace norvane::sim {

namespace {

constexpr unsigned char kDollar = 0x24;

} // namespace

std::string LineGarbler::garble(const std::string& bytes)
{
    std::string mangled;
    mangled.reserve(bytes.size());
    for (unsigned char byte : bytes) {
        // Sampling at the wrong rate shifts and mixes bits; any fixed mixing does for a tester.
        unsigned char out = static_cast<unsigned char>((byte * 0x9Du + counter_++ * 0x3Bu) ^ 0x5Au);
        if (out == kDollar)
            out |= 0x80;
        mangled += static_cast<char>(out);
    }
    return mangled;
}

} // namespace norvane::sim
