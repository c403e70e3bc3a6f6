#include "view/ui/palette_colours.h"

#include "view/ui/rgb_colour.h"

#include <QPalette>

namespace norvane {

ViewColours viewColoursOf(const QPalette& palette)
{
    return viewColours({toRgb(palette.color(QPalette::Window)), toRgb(palette.color(QPalette::WindowText)),
                        toRgb(palette.color(QPalette::Base)), toRgb(palette.color(QPalette::Text))});
}

QColor meaningColourOn(const QColor& preferred, const QColor& background)
{
    return toQColor(standingOut(toRgb(preferred), {toRgb(background)}));
}

} // namespace norvane
