#include "view/ui/chart_painting.h"

#include "view/axis_ticks.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

constexpr int kTickLength = 4;

int tickRoom(int pixels, int labelPixels)
{
    return std::max(2, pixels / std::max(1, labelPixels));
}

// Far outside the picture is as good as a little outside it; the bound keeps a point millions
// of spans away (a corrupt position) within what a pixel coordinate can hold.
constexpr double kFarOutside = 1e6;

double place(double from, double to, double minimum, double maximum, double value)
{
    if (!(maximum > minimum))
        return (from + to) / 2;
    const double pixel = from + (value - minimum) / (maximum - minimum) * (to - from);
    return std::isnan(pixel) ? (from + to) / 2 : std::clamp(pixel, -kFarOutside, kFarOutside);
}

} // namespace

int drawChartPanel(QPainter& painter, const QRect& panel, const QString& title)
{
    painter.fillRect(panel, QColor(0xF0, 0xF0, 0xF0));
    const QFontMetrics metrics(painter.font());
    painter.setPen(Qt::black);
    painter.drawText(QRect(panel.left(), panel.top() + 2, panel.width(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, title);
    return metrics.height() + 4;
}

void drawBackWall(QPainter& painter, const QRect& wall)
{
    painter.fillRect(wall, Qt::white);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(wall);
}

double pixelX(const QRect& wall, double minimum, double maximum, double value)
{
    return place(wall.left(), wall.right(), minimum, maximum, value);
}

double pixelY(const QRect& wall, double minimum, double maximum, double value)
{
    return place(wall.bottom(), wall.top(), minimum, maximum, value);
}

double leftAxisStep(const QPainter& painter, const QRect& wall, double minimum, double maximum)
{
    const QFontMetrics metrics(painter.font());
    return tickStep(maximum - minimum, tickRoom(wall.height(), metrics.height() * 2));
}

double bottomAxisStep(const QPainter& painter, const QRect& wall, double minimum, double maximum)
{
    const QFontMetrics metrics(painter.font());
    const double widest = std::max(metrics.horizontalAdvance(QString::fromStdString(tickText(minimum, 1))),
                                   metrics.horizontalAdvance(QString::fromStdString(tickText(maximum, 1))));
    return tickStep(maximum - minimum, tickRoom(wall.width(), static_cast<int>(widest) + 16));
}

void drawLeftAxisTicks(QPainter& painter, const QRect& wall, double minimum, double maximum, double step,
                       const AxisColours& colours)
{
    const QFontMetrics metrics(painter.font());
    for (const double value : ticksOfStep(minimum, maximum, step)) {
        const int y = qRound(pixelY(wall, minimum, maximum, value));
        painter.setPen(QPen(colours.grid, 1, Qt::DotLine));
        painter.drawLine(wall.left() + 1, y, wall.right() - 1, y);
        painter.setPen(colours.text);
        painter.drawLine(wall.left() - kTickLength, y, wall.left(), y);
        const QString text = QString::fromStdString(tickText(value, step));
        painter.drawText(QRect(0, y - metrics.height() / 2, wall.left() - kTickLength - 2, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

void drawBottomAxisTicks(QPainter& painter, const QRect& wall, double minimum, double maximum, double step,
                         const AxisColours& colours)
{
    const QFontMetrics metrics(painter.font());
    for (const double value : ticksOfStep(minimum, maximum, step)) {
        const int x = qRound(pixelX(wall, minimum, maximum, value));
        painter.setPen(QPen(colours.grid, 1, Qt::DotLine));
        painter.drawLine(x, wall.top() + 1, x, wall.bottom() - 1);
        painter.setPen(colours.text);
        painter.drawLine(x, wall.bottom(), x, wall.bottom() + kTickLength);
        const QString text = QString::fromStdString(tickText(value, step));
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QRect(x - width / 2, wall.bottom() + kTickLength + 1, width, metrics.height()),
                         Qt::AlignCenter, text);
    }
}

void drawLeftAxisNumbers(QPainter& painter, const QRect& wall, double minimum, double maximum)
{
    drawLeftAxisTicks(painter, wall, minimum, maximum, leftAxisStep(painter, wall, minimum, maximum), {});
}

void drawBottomAxisNumbers(QPainter& painter, const QRect& wall, double minimum, double maximum)
{
    drawBottomAxisTicks(painter, wall, minimum, maximum, bottomAxisStep(painter, wall, minimum, maximum), {});
}

} // namespace norvane
