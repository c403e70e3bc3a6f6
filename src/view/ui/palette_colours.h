#pragma once

#include "view/view_colours.h"

class QColor;
class QPalette;

namespace norvane {

// The colours a view draws in under the palette it is shown with.
ViewColours viewColoursOf(const QPalette& palette);

// A colour that carries a meaning in a plot of its own, as drawn on `background` (see
// standingOut): unchanged where it already stands out by 3:1.
QColor meaningColourOn(const QColor& preferred, const QColor& background);

} // namespace norvane
