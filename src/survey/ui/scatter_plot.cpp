#include "survey/ui/scatter_plot.h"

#include "survey/ui/plot_rooms.h"
#include "text/number_format.h"
#include "view/ui/chart_painting.h"
#include "view/ui/palette_colours.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <utility>

namespace norvane {

namespace {

// Room above the plot for its title.
constexpr int kTopRoom = 18;
// The cached picture reaches this far beyond the plot, so that fixes near an edge stay in it
// while a mean reference moves; it is drawn again once the move takes half of this.
constexpr int kCacheMargin = 16;
constexpr double kFixPixels = 3;

// The circles' colours say which is which, together with their labels; on a plot where they
// would not stand out by 3:1 (a grey one) they are drawn lighter or darker.
const QColor kCep50Colour(0, 150, 0);
const QColor kR95Colour(220, 90, 0);

QString metresText(const char* name, double metres)
{
    return QString::fromStdString(formatText("%s %s m", name, fixedText(metres, 2)));
}

} // namespace

ScatterPlot::ScatterPlot(const Survey& survey, QWidget* parent) : QWidget(parent), survey_(survey)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ScatterPlot::sizeHint() const
{
    return {440, 400};
}

QSize ScatterPlot::minimumSizeHint() const
{
    return {240, 220};
}

QRect ScatterPlot::wall() const
{
    return QRect(kPlotLeftRoom, kTopRoom, std::max(2, width() - kPlotLeftRoom - kPlotRightRoom),
                 std::max(2, height() - kTopRoom - kPlotBottomRoom));
}

double ScatterPlot::pixelsPerMetre() const
{
    const QRect w = wall();
    return (std::min(w.width(), w.height()) - 1) / 2.0 / zoom_.halfSpan;
}

QPointF ScatterPlot::pixelOf(double east, double north) const
{
    const QRect w = wall();
    const double scale = pixelsPerMetre();
    return {(w.left() + w.right()) / 2.0 + east * scale, (w.top() + w.bottom()) / 2.0 - north * scale};
}

QPointF ScatterPlot::cacheOffset() const
{
    const double scale = pixelsPerMetre();
    return {-shift_.east * scale, shift_.north * scale};
}

// On a whole device pixel, the nearest: a picture placed between pixels lands a pixel off.
QPointF ScatterPlot::cacheOrigin() const
{
    const QRect w = wall();
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = QPointF(w.left() - kCacheMargin, w.top() - kCacheMargin) + cacheOffset();
    return QPointF((origin * ratio).toPoint()) / ratio;
}

// The circles as the eye sees them: their labels and their radii to half a pixel.
QString ScatterPlot::circlesLook() const
{
    const double scale = pixelsPerMetre();
    QString look;
    for (const auto& [name, radius] : {std::pair{"CEP50", cep50_}, std::pair{"R95", r95_}})
        if (radius)
            look += metresText(name, *radius) + QString::number(std::lround(*radius * scale * 2)) + ';';
    return look;
}

// Only what changed is painted again: the new fixes' few pixels, unless the circles or the
// picture's place (a mean reference that moved a pixel) changed.
void ScatterPlot::surveyRefreshed()
{
    const SurveyFigures& figures = survey_.figures();
    const QString circlesBefore = circlesLook();
    cep50_ = figures.cep50;
    r95_ = figures.r95;
    if (const auto followed = followedZoom(zoom_, figures.maxHorizontal.value_or(0))) {
        zoom_ = *followed;
        fixesReference_.reset();
    }
    if (fixesReference_ && figures.reference) {
        shift_ = LocalFrame(*fixesReference_).toEnu(toEcef(*figures.reference));
        const QPointF offset = cacheOffset();
        if (std::max(std::fabs(offset.x()), std::fabs(offset.y())) > kCacheMargin / 2.0)
            fixesReference_.reset();
    }
    if (!fixesReference_) {
        redrawAll();
        return;
    }
    const QRectF added = drawFixes(survey_.points(drawn_));
    const QPoint offset = (cacheOffset() * devicePixelRatioF()).toPoint();
    const bool circlesChanged = circlesLook() != circlesBefore;
    if (circlesChanged)
        drawOverlay();
    if (offset != shownOffset_ || circlesChanged)
        update();
    else if (!added.isEmpty())
        update(added.translated(cacheOrigin()).toAlignedRect());
    shownOffset_ = offset;
}

void ScatterPlot::forget()
{
    cep50_.reset();
    r95_.reset();
    fixesReference_.reset();
    shift_ = {};
    shownOffset_ = {};
    drawn_ = 0;
    if (!fixes_.isNull())
        fixes_.fill(palette().color(QPalette::Base));
    if (!axes_.isNull())
        drawOverlay();
    update();
}

void ScatterPlot::redrawAll()
{
    const qreal ratio = devicePixelRatioF();
    const QRect w = wall();
    fixes_ = QPixmap(QSize(w.width() + 2 * kCacheMargin, w.height() + 2 * kCacheMargin) * ratio);
    fixes_.setDevicePixelRatio(ratio);
    // Opaque, so that showing it is a copy rather than a blend.
    fixes_.fill(palette().color(QPalette::Base));
    fixesReference_ = survey_.figures().reference;
    shift_ = {};
    shownOffset_ = {};
    drawn_ = 0;
    if (fixesReference_)
        drawFixes(survey_.points(0));
    drawAxes();
    drawOverlay();
    update();
}

// Into the cached picture, about the reference it was drawn for: the points come about the
// reference of the last refresh, which lies shift_ from it. The area they took in the picture.
QRectF ScatterPlot::drawFixes(const std::vector<SurveyPoint>& points)
{
    drawn_ += points.size();
    if (points.empty())
        return {};
    const QRect w = wall();
    const double scale = pixelsPerMetre();
    const QPointF centre(kCacheMargin + (w.width() - 1) / 2.0, kCacheMargin + (w.height() - 1) / 2.0);
    QPolygonF pixels;
    pixels.reserve(static_cast<int>(points.size()));
    for (const SurveyPoint& point : points)
        pixels << centre + QPointF((point.east + shift_.east) * scale, -(point.north + shift_.north) * scale);
    QPainter painter(&fixes_);
    painter.setPen(QPen(fixColour(), kFixPixels, Qt::SolidLine, Qt::SquareCap));
    painter.drawPoints(pixels);
    return pixels.boundingRect().adjusted(-kFixPixels, -kFixPixels, kFixPixels, kFixPixels);
}

QColor ScatterPlot::fixColour() const
{
    return meaningColourOn(palette().color(QPalette::Highlight), palette().color(QPalette::Base));
}

void ScatterPlot::zoomIn()
{
    zoom_ = zoomedIn(zoom_);
    redrawAll();
}

void ScatterPlot::zoomOut()
{
    zoom_ = zoomedOut(zoom_);
    redrawAll();
}

void ScatterPlot::fit()
{
    zoom_ = fittedZoom(survey_.figures().maxHorizontal.value_or(0));
    redrawAll();
}

void ScatterPlot::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    redrawAll();
}

// The cached picture carries the plot's background: a new palette (a dark desktop) draws it anew.
void ScatterPlot::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        redrawAll();
}

void ScatterPlot::paintEvent(QPaintEvent*)
{
    // Not drawn yet, or moved to a screen of another pixel ratio: drawn at this one.
    if (fixes_.isNull() || fixes_.devicePixelRatio() != devicePixelRatioF())
        redrawAll();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRect w = wall();
    painter.save();
    painter.setClipRect(w);
    painter.drawPixmap(cacheOrigin(), fixes_);
    painter.restore();
    painter.drawPixmap(0, 0, overlay_);
}

void ScatterPlot::drawAxes()
{
    axes_ = QPixmap(size() * devicePixelRatioF());
    axes_.setDevicePixelRatio(devicePixelRatioF());
    axes_.fill(Qt::transparent);
    QPainter painter(&axes_);
    painter.setFont(font());
    const QRect w = wall();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(w);
    const double scale = pixelsPerMetre();
    const double across = (w.width() - 1) / 2.0 / scale, up = (w.height() - 1) / 2.0 / scale;
    // One step on both axes: the same scale reads the same way across and up.
    const double step = std::max(bottomAxisStep(painter, w, -across, across), leftAxisStep(painter, w, -up, up));
    const AxisColours colours{palette().color(QPalette::WindowText), palette().color(QPalette::Mid)};
    drawBottomAxisTicks(painter, w, -across, across, step, colours);
    drawLeftAxisTicks(painter, w, -up, up, step, colours);
    painter.setPen(colours.text);
    const int line = painter.fontMetrics().height();
    painter.drawText(QRect(w.left(), height() - line, w.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("east (m)"));
    painter.drawText(QRect(0, 0, w.right(), kTopRoom), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("north (m)"));
}

// The circles, their labels and the cross at the centre over the axes, clipped to the plot.
void ScatterPlot::drawOverlay()
{
    overlay_ = axes_.copy();
    QPainter painter(&overlay_);
    painter.setFont(font());
    painter.setClipRect(wall().adjusted(1, 1, -1, -1));
    paintCircles(painter);
}

void ScatterPlot::paintCircles(QPainter& painter) const
{
    const QPointF centre = pixelOf(0, 0);
    const double scale = pixelsPerMetre();
    const QRect w = wall();
    const double farthestCorner = std::hypot(w.width(), w.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const struct {
        const char* name;
        std::optional<double> radius;
        QColor colour;
    } circles[] = {{"CEP50", cep50_, kCep50Colour}, {"R95", r95_, kR95Colour}};
    for (const auto& circle : circles) {
        if (!circle.radius)
            continue;
        const double pixels = *circle.radius * scale;
        if (!(pixels < farthestCorner))
            continue;
        painter.setPen(QPen(meaningColourOn(circle.colour, palette().color(QPalette::Base)), 1.5));
        painter.drawEllipse(centre, pixels, pixels);
        // The label where the circle crosses the upper right diagonal.
        const QPointF at = centre + QPointF(pixels, -pixels) / std::sqrt(2.0) + QPointF(3, -3);
        painter.drawText(at, metresText(circle.name, *circle.radius));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().color(QPalette::Text));
    const QPoint c = centre.toPoint();
    painter.drawLine(c - QPoint(6, 0), c + QPoint(6, 0));
    painter.drawLine(c - QPoint(0, 6), c + QPoint(0, 6));
}

} // namespace norvane
