#include "view/ui/sky_drawing.h"

#include "view/sky_geometry.h"
#include "view/ui/rgb_colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace norvane {

namespace {

// The square both layers draw, (0, 0) to (200, 200) inclusive.
const QRect kSkySquare(0, 0, 200, 200);

// 8 points on the 96 dpi screen the layout was designed for. Pixel sizes keep the picture the
// same whatever resolution the platform reports; unsmoothed glyphs keep the grid layer's
// letters free of near-white pixels that its see-through white would leave as stray dots.
QFont pictureFont(const QString& family)
{
    QFont font(family);
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void drawTextAt(QPainter& painter, QPoint topLeft, const QString& text)
{
    const QFontMetrics metrics(painter.font());
    painter.drawText(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height())),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void drawDisc(QPainter& painter, const SkyDisc& disc)
{
    const QColor fill = toQColor(disc.fill);
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawEllipse(QPoint(disc.centre.x, disc.centre.y), kSkyDiscRadius, kSkyDiscRadius);

    // The number is written on its own box of the fill colour, so an overlapping disc's
    // outline never runs through it.
    painter.setPen(toQColor(disc.label));
    painter.setBackground(fill);
    painter.setBackgroundMode(Qt::OpaqueMode);
    drawTextAt(painter, QPoint(disc.labelOrigin.x, disc.labelOrigin.y), QString::number(disc.prn));
    painter.setBackgroundMode(Qt::TransparentMode);
}

} // namespace

void paintSkyGrid(QImage& grid)
{
    grid.fill(Qt::white);
    QPainter painter(&grid);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(kSkySquare);

    const QPoint centre(kSkyCentre, kSkyCentre);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 76, 76);
    painter.drawEllipse(centre, 53, 53);
    painter.drawLine(20, 100, 180, 100);
    painter.drawLine(100, 20, 100, 180);

    painter.setFont(pictureFont(QStringLiteral("MS Sans Serif")));
    drawTextAt(painter, QPoint(10, 94), QStringLiteral("W"));
    drawTextAt(painter, QPoint(180, 94), QStringLiteral("E"));
    drawTextAt(painter, QPoint(97, 180), QStringLiteral("S"));
    drawTextAt(painter, QPoint(97, 9), QStringLiteral("N"));
}

void paintEmptySky(QImage& sky)
{
    QPainter painter(&sky);
    painter.setPen(Qt::black);
    painter.setBrush(toQColor(kSkyBlue));
    painter.drawRect(kSkySquare);
}

void paintSkyPlot(QImage& sky, const ReceiverState& state)
{
    paintEmptySky(sky);
    QPainter painter(&sky);
    painter.setFont(pictureFont(QStringLiteral("Arial")));
    for (const SkyDisc& disc : skyDiscs(state))
        drawDisc(painter, disc);
}

} // namespace norvane
