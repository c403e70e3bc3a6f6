#pragma once

#include "view/view_colours.h"

class QPalette;

namespace norvane {

// The colours a view draws in under the palette it is shown with.
ViewColours viewColoursOf(const QPalette& palette);

} // namespace norvane
