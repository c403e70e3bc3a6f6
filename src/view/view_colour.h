#pragma once

#include <cstdint>

namespace norvane {

// A colour as red, green and blue, kept free of any toolkit so that the decisions about
// what is drawn in which colour can be tested without a window.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kBlue{0, 0, 0xFF};
constexpr Rgb kRed{0xFF, 0, 0};
constexpr Rgb kSilver{0xC0, 0xC0, 0xC0};
constexpr Rgb kSkyBlue{0xA6, 0xCA, 0xF0};

} // namespace norvane
