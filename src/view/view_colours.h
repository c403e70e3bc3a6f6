#pragma once

#include "view/satellite_status.h"
#include "view/view_colour.h"

#include <initializer_list>

namespace norvane {

// What the desktop's palette offers, in the roles the views are drawn from.
struct PaletteRoles {
    Rgb window;     // around a chart: its panel
    Rgb windowText; // the panel's title and numbers
    Rgb base;       // where the data is drawn: a chart's wall, the sky
    Rgb text;       // lines and texts drawn on it
};

// The colours the sky plot, the SNR chart and the view-point chart are drawn in. Those that
// carry no meaning (panels, walls, the sky, lines, texts, the grid) follow the palette; those
// that do (a satellite used, used without signal, in view; a position) are chosen to stand out
// from the background they are drawn on by 3:1 at least. Under a light palette all are the
// program's own colours of old, so its pictures stay what they were.
struct ViewColours {
    Rgb panel;
    Rgb panelText;
    Rgb wall;
    Rgb wallLine; // the wall's outline, ticks, bar outlines, labels
    Rgb grid;     // the dotted lines across the wall
    Rgb markBox;  // a bar's value mark
    Rgb markText;
    Rgb sky;
    Rgb skyLine; // rings, cross, compass letters, outlines, legend
    StatusColours used;
    StatusColours usedWithoutSignal;
    StatusColours inView;
    Rgb position; // a point of the view-point chart
    Rgb message;  // a message written in colour on the window (the restart test's progress)

    StatusColours status(int status) const;
    // The counterpart here of a meaning colour as the light palette draws it (a bar given as
    // blue is drawn in this palette's "used" colour); any other colour is drawn as it is.
    Rgb meaning(Rgb lightColour) const;
};

// The program's own colours: those of every light palette.
const ViewColours& lightViewColours();
bool isLightPalette(const PaletteRoles& palette);
ViewColours viewColours(const PaletteRoles& palette);

// A colour that carries a meaning as drawn on these backgrounds: the preferred colour where it
// stands out from each by the meaning contrast, else made lighter step by step on a dark first
// background (darker on a light one) until it does.
Rgb standingOut(Rgb preferred, std::initializer_list<Rgb> backgrounds);

// Relative luminance and contrast ratio as the accessibility guidelines define them: 1:1 for a
// colour on itself, 21:1 for black on white.
double relativeLuminance(Rgb colour);
double contrastRatio(Rgb one, Rgb other);

// The least contrast a meaning colour keeps against its background.
constexpr double kMeaningContrast = 3.0;

} // namespace norvane
