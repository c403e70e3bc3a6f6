#include "view/ui/point_chart.h"

#include "view/ui/chart_painting.h"
#include "view/ui/palette_colours.h"
#include "view/ui/rgb_colour.h"

#include <QPainter>

namespace norvane {

namespace {

// Room left of the wall for numbers as wide as "-120400.5", and below it for one line.
constexpr int kLeftRoom = 64;
constexpr int kBottomRoom = 22;
constexpr int kRightRoom = 24;
constexpr int kTitleRoom = 20;

} // namespace

PointChart::PointChart(QWidget* parent) : QWidget(parent)
{
    resize(392, 271);
}

void PointChart::setAxes(const ViewAxes& axes)
{
    axes_ = axes;
    update();
}

void PointChart::setTitle(const QString& title)
{
    title_ = title;
    update();
}

void PointChart::setPointerSize(int horizontal, int vertical)
{
    pointerWidth_ = horizontal;
    pointerHeight_ = vertical;
    update();
}

QRect PointChart::backWall() const
{
    return QRect(kLeftRoom, kTitleRoom, width() - kLeftRoom - kRightRoom,
                 height() - kTitleRoom - kBottomRoom);
}

QPointF PointChart::pixelOf(ChartPoint point) const
{
    const QRect wall = backWall();
    return {pixelX(wall, axes_.bottom.minimum, axes_.bottom.maximum, point.x),
            pixelY(wall, axes_.left.minimum, axes_.left.maximum, point.y)};
}

void PointChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ViewColours colours = viewColoursOf(palette());
    drawChartPanel(painter, rect(), title_, colours);
    const QRect wall = backWall();
    drawBackWall(painter, wall, colours);
    drawLeftAxisNumbers(painter, wall, axes_.left.minimum, axes_.left.maximum, colours);
    drawBottomAxisNumbers(painter, wall, axes_.bottom.minimum, axes_.bottom.maximum, colours);

    painter.setClipRect(wall.adjusted(1, 1, -1, -1));
    painter.setPen(toQColor(colours.position));
    painter.setBrush(toQColor(colours.position));
    for (const ChartPoint& point : series_.points())
        painter.drawEllipse(pixelOf(point).toPoint(), pointerWidth_, pointerHeight_);
}

} // namespace norvane
