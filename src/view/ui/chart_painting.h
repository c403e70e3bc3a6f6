#pragma once

#include "view/view_colours.h"

#include <QRect>
#include <QString>

class QPainter;

namespace norvane {

// Pieces both of our charts are drawn from: the panel with its one-line title, the flat
// white back wall, and numbered axes along the wall's left and bottom edges.

// Fills the panel, writes the title centred along its top and returns the title's height.
int drawChartPanel(QPainter& painter, const QRect& panel, const QString& title, const ViewColours& colours);

void drawBackWall(QPainter& painter, const QRect& wall, const ViewColours& colours);

// Value to pixel along the wall; a degenerate range puts every value at its middle.
double pixelX(const QRect& wall, double minimum, double maximum, double value);
double pixelY(const QRect& wall, double minimum, double maximum, double value);

void drawLeftAxisNumbers(QPainter& painter, const QRect& wall, double minimum, double maximum,
                         const ViewColours& colours);
void drawBottomAxisNumbers(QPainter& painter, const QRect& wall, double minimum, double maximum,
                           const ViewColours& colours);

} // namespace norvane
