#include "view/view_colours.h"

#include "decode/receiver_state.h"

#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

Rgb mix(Rgb from, Rgb to, double share)
{
    auto channel = [share](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * share));
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

// A disc's number in whichever of black and white reads better on its fill.
StatusColours onFill(Rgb fill)
{
    return {fill, contrastRatio(kWhite, fill) >= contrastRatio(kBlack, fill) ? kWhite : kBlack};
}

} // namespace

StatusColours ViewColours::status(int status) const
{
    switch (status) {
    case kSatUsed:
        return used;
    case kSatUsedWithoutSignal:
        return usedWithoutSignal;
    default:
        return inView;
    }
}

Rgb ViewColours::meaning(Rgb lightColour) const
{
    const ViewColours& light = lightViewColours();
    if (lightColour == light.used.fill)
        return used.fill;
    if (lightColour == light.usedWithoutSignal.fill)
        return usedWithoutSignal.fill;
    if (lightColour == light.inView.fill)
        return inView.fill;
    return lightColour;
}

const ViewColours& lightViewColours()
{
    static const ViewColours light{
        .panel = {0xF0, 0xF0, 0xF0},
        .panelText = kBlack,
        .wall = kWhite,
        .wallLine = kBlack,
        .grid = kSilver,
        .markBox = kWhite,
        .markText = kBlack,
        .sky = kSkyBlue,
        .skyLine = kBlack,
        .used = statusColours(kSatUsed),
        .usedWithoutSignal = statusColours(kSatUsedWithoutSignal),
        .inView = statusColours(kSatInView),
        .position = kBlue,
        .message = kBlue,
    };
    return light;
}

bool isLightPalette(const PaletteRoles& palette)
{
    return relativeLuminance(palette.base) > relativeLuminance(palette.text);
}

ViewColours viewColours(const PaletteRoles& palette)
{
    if (isLightPalette(palette))
        return lightViewColours();
    ViewColours dark;
    dark.panel = palette.window;
    dark.panelText = palette.windowText;
    dark.wall = palette.base;
    dark.wallLine = palette.text;
    dark.grid = mix(palette.base, palette.text, 0.4);
    dark.markBox = palette.base;
    dark.markText = palette.text;
    // A night sky: the base a little towards the day's blue.
    dark.sky = mix(palette.base, kSkyBlue, 0.15);
    // The grid layer shows its pure white as see-through; its lines must never be that.
    dark.skyLine = palette.text == kWhite ? Rgb{0xF0, 0xF0, 0xF0} : palette.text;
    dark.used = onFill(standingOut({0x3C, 0x78, 0xFF}, {dark.wall, dark.sky}));
    dark.usedWithoutSignal = onFill(standingOut({0x90, 0x90, 0x90}, {dark.wall, dark.sky}));
    dark.inView = onFill(standingOut({0xD8, 0xD8, 0xD8}, {dark.wall, dark.sky}));
    dark.position = standingOut({0x50, 0x8C, 0xFF}, {dark.wall});
    dark.message = standingOut({0x50, 0x8C, 0xFF}, {palette.window});
    return dark;
}

Rgb standingOut(Rgb preferred, std::initializer_list<Rgb> backgrounds)
{
    const Rgb towards = relativeLuminance(*backgrounds.begin()) < 0.18 ? kWhite : kBlack;
    Rgb colour = preferred;
    for (int step = 1; step <= 20; ++step) {
        const bool standsOut = std::all_of(backgrounds.begin(), backgrounds.end(), [&](Rgb b) {
            return contrastRatio(colour, b) >= kMeaningContrast;
        });
        if (standsOut)
            break;
        colour = mix(preferred, towards, step / 20.0);
    }
    return colour;
}

double relativeLuminance(Rgb colour)
{
    auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

double contrastRatio(Rgb one, Rgb other)
{
    const double a = relativeLuminance(one);
    const double b = relativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace norvane
