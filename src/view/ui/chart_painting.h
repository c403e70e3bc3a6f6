#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace norvane {

// Pieces both of our charts are drawn from: the panel with its one-line title, the flat
// white back wall, and numbered axes along the wall's left and bottom edges.

// Fills the panel, writes the title centred along its top and returns the title's height.
int drawChartPanel(QPainter& painter, const QRect& panel, const QString& title);

void drawBackWall(QPainter& painter, const QRect& wall);

// Value to pixel along the wall; a degenerate range puts every value at its middle.
double pixelX(const QRect& wall, double minimum, double maximum, double value);
double pixelY(const QRect& wall, double minimum, double maximum, double value);

void drawLeftAxisNumbers(QPainter& painter, const QRect& wall, double minimum, double maximum);
void drawBottomAxisNumbers(QPainter& painter, const QRect& wall, double minimum, double maximum);

// The same in two steps, for plots of their own: the step that leaves room for the numbers
// along an edge, then the ticks of a given step (one step on both axes of a plot drawn to the
// same scale across and up) in the plot's own colours.
struct AxisColours {
    QColor text = Qt::black;
    QColor grid = QColor(0xC0, 0xC0, 0xC0);
};
double leftAxisStep(const QPainter& painter, const QRect& wall, double minimum, double maximum);
double bottomAxisStep(const QPainter& painter, const QRect& wall, double minimum, double maximum);
void drawLeftAxisTicks(QPainter& painter, const QRect& wall, double minimum, double maximum, double step,
                       const AxisColours& colours);
void drawBottomAxisTicks(QPainter& painter, const QRect& wall, double minimum, double maximum, double step,
                         const AxisColours& colours);

} // namespace norvane
