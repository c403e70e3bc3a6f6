#include "survey/ui/error_time_plot.h"

#include "survey/ui/plot_rooms.h"
#include "view/axis_ticks.h"
#include "view/ui/chart_painting.h"
#include "view/ui/palette_colours.h"

#include <QEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

constexpr int kTitleRoom = 16;
constexpr int kGap = 4;
constexpr double kSecondsPerMinute = 60;

} // namespace

ErrorTimePlot::ErrorTimePlot(const Survey& survey, QWidget* parent) : QWidget(parent), survey_(survey)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ErrorTimePlot::sizeHint() const
{
    return {440, 220};
}

QSize ErrorTimePlot::minimumSizeHint() const
{
    return {240, 180};
}

QRect ErrorTimePlot::horizontalWall() const
{
    const int strip = std::max(2, (height() - 2 * kTitleRoom - kGap - kPlotBottomRoom) / 2);
    return QRect(kPlotLeftRoom, kTitleRoom, std::max(2, width() - kPlotLeftRoom - kPlotRightRoom), strip);
}

QRect ErrorTimePlot::verticalWall() const
{
    const QRect above = horizontalWall();
    return above.translated(0, above.height() + kGap + kTitleRoom);
}

ErrorTimePlot::Tops ErrorTimePlot::tops() const
{
    double horizontal = 0, up = 0;
    for (const ErrorBin& bin : history_.bins()) {
        horizontal = std::max(horizontal, bin.horizontalMax);
        if (bin.upCount > 0)
            up = std::max({up, std::fabs(bin.upMin), std::fabs(bin.upMax)});
    }
    return {automaticValueTop(horizontal), automaticValueTop(up)};
}

double ErrorTimePlot::halfPixelMetres() const
{
    const Tops top = tops();
    return std::min(top.horizontal / horizontalWall().height(), 2 * top.up / verticalWall().height()) / 2;
}

void ErrorTimePlot::surveyRefreshed()
{
    const auto& reference = survey_.figures().reference;
    if (historyReference_ && reference) {
        const Enu moved = LocalFrame(*historyReference_).toEnu(toEcef(*reference));
        if (std::max(std::hypot(moved.east, moved.north), std::fabs(moved.up)) > halfPixelMetres())
            historyReference_.reset();
    }
    if (!historyReference_) {
        redrawAll();
        return;
    }
    for (const SurveyPoint& point : survey_.points(taken_))
        history_.add(point);
    taken_ = survey_.fixCount();
    if (visiblyChanged()) {
        stale_ = true;
        update();
    }
}

// A second more of an hour moves the picture by a tenth of a pixel: it is drawn again once
// the time axis has moved a whole pixel anywhere, or the strips' scales changed.
bool ErrorTimePlot::visiblyChanged() const
{
    const Tops top = tops();
    if (top.horizontal != shown_.tops.horizontal || top.up != shown_.tops.up)
        return true;
    const double from = history_.firstSecond(), to = history_.lastSecond();
    if (!(to > from) || !(shown_.to > shown_.from))
        return from != shown_.from || to != shown_.to;
    const double pixels = horizontalWall().width();
    const auto moved = [&](double t) {
        return std::fabs((t - from) / (to - from) - (t - shown_.from) / (shown_.to - shown_.from)) * pixels;
    };
    return std::max(moved(from), moved(to)) >= 1;
}

void ErrorTimePlot::forget()
{
    history_.reset(horizontalWall().width());
    historyReference_.reset();
    taken_ = 0;
    stale_ = true;
    update();
}

void ErrorTimePlot::redrawAll()
{
    history_.reset(horizontalWall().width());
    historyReference_ = survey_.figures().reference;
    taken_ = 0;
    if (historyReference_) {
        for (const SurveyPoint& point : survey_.points(0))
            history_.add(point);
        taken_ = survey_.fixCount();
    }
    stale_ = true;
    update();
}

void ErrorTimePlot::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (horizontalWall().width() != history_.columns())
        redrawAll();
    stale_ = true;
}

void ErrorTimePlot::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        stale_ = true;
}

void ErrorTimePlot::paintEvent(QPaintEvent*)
{
    if (stale_ || picture_.devicePixelRatio() != devicePixelRatioF())
        drawPicture();
    QPainter(this).drawPixmap(0, 0, picture_);
}

// The whole plot into its cached picture, at the screen's pixel ratio.
void ErrorTimePlot::drawPicture()
{
    picture_ = QPixmap(size() * devicePixelRatioF());
    picture_.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(&picture_);
    painter.setFont(font());
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const Tops top = tops();
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect above = horizontalWall(), below = verticalWall();
    painter.drawText(QRect(0, above.top() - kTitleRoom, width(), kTitleRoom), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("horizontal error (m)"));
    painter.drawText(QRect(0, below.top() - kTitleRoom, width(), kTitleRoom), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("vertical error, up (m)"));
    paintStrip(painter, above, 0, top.horizontal, false);
    paintStrip(painter, below, -top.up, top.up, true);
    paintTimeAxis(painter, below);
    shown_ = {history_.firstSecond(), history_.lastSecond(), top};
    stale_ = false;
}

// Each bin a line from its least to its greatest error, and a line through the bins' means; all
// of a strip's lines drawn in one call.
void ErrorTimePlot::paintStrip(QPainter& painter, const QRect& wall, double low, double high, bool up) const
{
    painter.fillRect(wall, palette().color(QPalette::Base));
    const AxisColours colours{palette().color(QPalette::WindowText), palette().color(QPalette::Mid)};
    drawLeftAxisTicks(painter, wall, low, high, leftAxisStep(painter, wall, low, high), colours);
    const double from = history_.firstSecond(), to = history_.lastSecond();
    const double width = history_.binSeconds();
    QList<QLineF> spreads;
    QPolygonF means;
    spreads.reserve(static_cast<qsizetype>(history_.bins().size()));
    means.reserve(static_cast<qsizetype>(history_.bins().size()));
    for (const ErrorBin& bin : history_.bins()) {
        const int count = up ? bin.upCount : bin.count;
        if (count == 0)
            continue;
        const double x = pixelX(wall, from, to, std::clamp((bin.index + 0.5) * width, from, to));
        const double least = up ? bin.upMin : bin.horizontalMin;
        const double most = up ? bin.upMax : bin.horizontalMax;
        const double mean = (up ? bin.upSum : bin.horizontalSum) / count;
        spreads << QLineF(x, pixelY(wall, low, high, least), x, pixelY(wall, low, high, most));
        means << QPointF(x, pixelY(wall, low, high, mean));
    }
    painter.save();
    painter.setClipRect(wall.adjusted(1, 1, -1, -1));
    painter.setPen(meaningColourOn(palette().color(QPalette::Highlight), palette().color(QPalette::Base)));
    painter.drawLines(spreads);
    painter.drawPolyline(means);
    painter.restore();
    painter.setPen(palette().color(QPalette::Text));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(wall);
}

// Minutes since the run's first fix.
void ErrorTimePlot::paintTimeAxis(QPainter& painter, const QRect& wall) const
{
    const double start = history_.firstFixSecond();
    const double from = (history_.firstSecond() - start) / kSecondsPerMinute;
    const double to = (history_.lastSecond() - start) / kSecondsPerMinute;
    const AxisColours colours{palette().color(QPalette::WindowText), palette().color(QPalette::Mid)};
    if (to > from)
        drawBottomAxisTicks(painter, wall, from, to, bottomAxisStep(painter, wall, from, to), colours);
    painter.setPen(colours.text);
    const int line = painter.fontMetrics().height();
    painter.drawText(QRect(wall.left(), height() - line, wall.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("minutes since the first fix"));
}

} // namespace norvane
