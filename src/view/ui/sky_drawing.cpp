#include "view/ui/sky_drawing.h"

#include "view/shown_satellites.h"
#include "view/sky_geometry.h"
#include "view/system_marks.h"
#include "view/ui/rgb_colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QStaticText>
#include <cmath>
#include <map>
#include <numbers>

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

// A disc in the palette's colours of its satellite's status.
SkyDisc colouredDisc(int number, const ShownSatellite& satellite, const ViewColours& colours)
{
    SkyDisc disc = skyDisc(number, satellite.elevation, satellite.azimuth, satellite.status);
    const StatusColours status = colours.status(satellite.status);
    disc.fill = status.fill;
    disc.label = status.label;
    return disc;
}

void drawDisc(QPainter& painter, const SkyDisc& disc, const QColor& outline)
{
    const QColor fill = toQColor(disc.fill);
    painter.setPen(outline);
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

QPolygonF regularPolygon(QPointF centre, double radius, int corners, double firstAngleDegrees)
{
    QPolygonF polygon;
    for (int i = 0; i < corners; ++i) {
        const double angle = (firstAngleDegrees + 360.0 * i / corners) * std::numbers::pi / 180.0;
        polygon << centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
    }
    return polygon;
}

void drawShape(QPainter& painter, QPoint centre, DiscShape shape)
{
    const QPointF c(centre);
    const double r = kSkyDiscRadius;
    switch (shape) {
    case DiscShape::Circle:
        painter.drawEllipse(centre, kSkyDiscRadius, kSkyDiscRadius);
        break;
    case DiscShape::DoubleCircle:
        painter.drawEllipse(centre, kSkyDiscRadius, kSkyDiscRadius);
        painter.drawEllipse(centre, kSkyDiscRadius - 2, kSkyDiscRadius - 2);
        break;
    case DiscShape::Square:
        painter.drawRect(QRect(centre - QPoint(8, 8), QSize(17, 17)));
        break;
    case DiscShape::Diamond:
        painter.drawPolygon(regularPolygon(c, r + 2, 4, 90));
        break;
    case DiscShape::Triangle:
        painter.drawPolygon(regularPolygon(c, r + 3, 3, 90));
        break;
    case DiscShape::Pentagon:
        painter.drawPolygon(regularPolygon(c, r + 1, 5, 90));
        break;
    case DiscShape::Hexagon:
        painter.drawPolygon(regularPolygon(c, r + 1, 6, 0));
        break;
    case DiscShape::Octagon:
        painter.drawPolygon(regularPolygon(c, r, 8, 22.5));
        break;
    }
}

// Laid out once per font size: a picture of four systems writes some fifty numbers at every
// redraw. Laid out in the font it is drawn in, so that its size is the one drawn.
const QStaticText& laidOut(const QString& text, const QFont& font)
{
    static std::map<std::pair<QString, int>, QStaticText> texts;
    const auto key = std::make_pair(text, font.pixelSize());
    auto found = texts.find(key);
    if (found == texts.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font);
        found = texts.emplace(key, laid).first;
    }
    return found->second;
}

// Written on its own box of the fill colour, as the discs of one system are.
void drawOpaqueText(QPainter& painter, QPoint topLeft, const QString& text, const QColor& fill)
{
    const QStaticText& laid = laidOut(text, painter.font());
    painter.fillRect(QRectF(topLeft, laid.size()), fill);
    painter.drawStaticText(topLeft, laid);
}

// A number of three digits is written smaller and centred so that it stays inside its disc.
void drawSmallNumber(QPainter& painter, QPoint centre, const QString& number)
{
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(8);
    painter.setFont(font);
    const QStaticText& laid = laidOut(number, font);
    const QSizeF size = laid.size();
    painter.drawStaticText(QPointF(centre) - QPointF(size.width() / 2, size.height() / 2), laid);
    painter.restore();
}

// With several systems the outline tells the system and the number is the system's own
// (GLONASS by slot, SBAS and QZSS by their numbers); with one the disc is as it always was.
void drawSystemDisc(QPainter& painter, const ShownSatellite& satellite, bool severalSystems,
                    const ViewColours& colours)
{
    const int number = severalSystems ? systemNumber(satellite.system, satellite.prn) : satellite.prn;
    const SkyDisc disc = colouredDisc(number, satellite, colours);
    const QColor outline = toQColor(colours.skyLine);
    if (number <= 99) {
        if (severalSystems) {
            const QColor fill = toQColor(disc.fill);
            painter.setPen(outline);
            painter.setBrush(fill);
            drawShape(painter, QPoint(disc.centre.x, disc.centre.y), discShapeOf(satellite.system));
            painter.setPen(toQColor(disc.label));
            drawOpaqueText(painter, QPoint(disc.labelOrigin.x, disc.labelOrigin.y), QString::number(number),
                           fill);
        } else {
            drawDisc(painter, disc, outline);
        }
        return;
    }
    painter.setPen(outline);
    painter.setBrush(toQColor(disc.fill));
    drawShape(painter, QPoint(disc.centre.x, disc.centre.y),
              severalSystems ? discShapeOf(satellite.system) : DiscShape::Circle);
    painter.setPen(toQColor(disc.label));
    drawSmallNumber(painter, QPoint(disc.centre.x, disc.centre.y), QString::number(number));
}

// The legend sits in the top corners, outside the horizon ring: four systems on the left,
// the rest on the right. Each line: the system's outline, its letter, used / in view.
void drawLegend(QPainter& painter, const std::vector<LegendEntry>& legend, const ViewColours& colours)
{
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    constexpr int kLineHeight = 11;
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const bool left = i < 4;
        const int row = static_cast<int>(left ? i : i - 4);
        const int y = 3 + row * kLineHeight;
        const int x = left ? 3 : 156;
        painter.save();
        painter.translate(x + 4, y + 4);
        painter.scale(0.45, 0.45);
        painter.setPen(toQColor(colours.skyLine));
        painter.setBrush(toQColor(colours.inView.fill));
        drawShape(painter, QPoint(0, 0), discShapeOf(legend[i].system));
        painter.restore();
        painter.setPen(toQColor(colours.skyLine));
        painter.drawStaticText(QPoint(x + 11, y), laidOut(QString::fromStdString(legend[i].text), font));
    }
    painter.restore();
}

} // namespace

void paintSkyGrid(QImage& grid, const ViewColours& colours)
{
    grid.fill(Qt::white);
    QPainter painter(&grid);
    painter.setPen(toQColor(colours.skyLine));
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

void paintEmptySky(QImage& sky, const ViewColours& colours)
{
    QPainter painter(&sky);
    painter.setPen(toQColor(colours.skyLine));
    painter.setBrush(toQColor(colours.sky));
    painter.drawRect(kSkySquare);
}

void paintSkyPlot(QImage& sky, const ReceiverState& state, const ViewColours& colours)
{
    paintSkyPlot(sky, shownSatellites(state), colours);
}

void paintSkyPlot(QImage& sky, const SatelliteShowing& showing, const ViewColours& colours)
{
    paintEmptySky(sky, colours);
    QPainter painter(&sky);
    painter.setFont(pictureFont(QStringLiteral("Arial")));
    for (const ShownSatellite& s : showing.satellites) {
        if (showing.tableOrder)
            drawDisc(painter, colouredDisc(s.prn, s, colours), toQColor(colours.skyLine));
        else
            drawSystemDisc(painter, s, showing.severalSystems, colours);
    }
    if (showing.severalSystems)
        drawLegend(painter, systemLegend(showing), colours);
}

} // namespace norvane
