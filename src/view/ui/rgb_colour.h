#pragma once

#include "view/view_colour.h"

#include <QColor>

namespace norvane {

inline QColor toQColor(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace norvane
