#include "view/ui/snr_chart.h"

#include "view/axis_ticks.h"
#include "view/satellite_description.h"
#include "view/system_marks.h"
#include "view/ui/chart_painting.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace norvane {

namespace {

// Room left of the wall for the value numbers and below it for the PRN labels.
constexpr int kSnrLeftRoom = 40;
constexpr int kSnrBottomRoom = 18;
constexpr int kSnrRightRoom = 8;
constexpr int kSnrTitleRoom = 18;
constexpr double kBarFill = 0.7;

} // namespace

SnrChart::SnrChart(QWidget* parent) : QWidget(parent), markFont_(QStringLiteral("Roman"))
{
    markFont_.setStyleHint(QFont::Serif);
    markFont_.setPixelSize(11);
    // The panel covers the whole chart: what lies under it (the window, the memo it overlaps)
    // need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(430, 137);
}

void SnrChart::clearBars()
{
    bars_.clear();
    setAccessibleDescription(QString::fromStdString(satelliteDescription({})));
    update();
}

void SnrChart::addBar(const ChartBar& bar)
{
    // Bars are kept in ascending x, as the chart's series orders them.
    const auto place = std::upper_bound(bars_.begin(), bars_.end(), bar.x,
                                        [](double x, const ChartBar& b) { return x < b.x; });
    bars_.insert(place, bar);
    update();
}

void SnrChart::setThinCrowdedLabels(bool on)
{
    thinCrowdedLabels_ = on;
    update();
}

int SnrChart::labelStep() const
{
    if (!thinCrowdedLabels_)
        return 1;
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const ChartBar& bar : bars_)
        widest = std::max(widest, metrics.horizontalAdvance(bar.label));
    return norvane::labelStep(slotWidth(), widest);
}

bool SnrChart::showsValueMarks() const
{
    if (!thinCrowdedLabels_)
        return true;
    const QFontMetrics metrics(markFont_);
    return metrics.horizontalAdvance(QStringLiteral("00")) + 6 <= slotWidth();
}

QRect SnrChart::backWall() const
{
    return QRect(kSnrLeftRoom, kSnrTitleRoom, width() - kSnrLeftRoom - kSnrRightRoom,
                 height() - kSnrTitleRoom - kSnrBottomRoom);
}

// The wall less a strip along its top where the tallest bar's mark sits.
QRect SnrChart::valueArea(const QFontMetrics& markMetrics) const
{
    const int markRoom = markMetrics.height() + 6;
    return backWall().adjusted(0, markRoom, 0, 0);
}

double SnrChart::valueTop() const
{
    double highest = 0;
    for (const ChartBar& bar : bars_)
        highest = std::max(highest, bar.height);
    return automaticValueTop(highest);
}

double SnrChart::slotWidth() const
{
    const double slotCount = bars_.isEmpty() ? 1.0 : bars_.back().x;
    return backWall().width() / std::max(1.0, slotCount);
}

SnrChart::Placement SnrChart::placement() const
{
    const QFontMetrics markMetrics(markFont_);
    return {backWall(), valueArea(markMetrics), valueTop(), slotWidth(), markMetrics};
}

QRect SnrChart::barRect(int index) const
{
    return barRect(placement(), index);
}

QRect SnrChart::markRect(int index) const
{
    return markRect(placement(), index);
}

QRect SnrChart::barRect(const Placement& at, int index) const
{
    if (index < 0 || index >= bars_.size())
        return {};
    const ChartBar& bar = bars_[index];
    const double centre = at.wall.left() + (bar.x - 0.5) * at.slot;
    const double halfWidth = at.slot * kBarFill / 2;
    const int top = qRound(pixelY(at.area, 0, at.top, bar.height));
    const int left = qRound(centre - halfWidth);
    return QRect(QPoint(left, top), QPoint(qRound(centre + halfWidth), at.area.bottom()));
}

QRect SnrChart::markRect(const Placement& at, int index) const
{
    const QRect bar = barRect(at, index);
    if (bar.isNull())
        return {};
    const QString text = QString::number(bars_[index].height);
    const int width = at.markMetrics.horizontalAdvance(text) + 4;
    const int height = at.markMetrics.height() + 2;
    return QRect(bar.center().x() - width / 2, bar.top() - 2 - height, width, height);
}

void SnrChart::drawBar(QPainter& painter, const Placement& at, int labelHeight, int index, int step,
                       bool marks) const
{
    const ChartBar& bar = bars_[index];
    const QRect body = barRect(at, index);
    // The outline lets white bars (satellites not used) stand out from the white wall.
    painter.setPen(Qt::black);
    painter.setBrush(bar.color);
    painter.drawRect(body.adjusted(0, 0, -1, 0));

    if (index % step == 0)
        painter.drawText(QRect(body.left() - 10, at.wall.bottom() + 2, body.width() + 20, labelHeight),
                         Qt::AlignHCenter | Qt::AlignTop, bar.label);
    if (!marks)
        return;

    painter.save();
    const QRect mark = markRect(at, index);
    painter.setFont(markFont_);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::white);
    painter.drawRect(mark.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(mark, Qt::AlignCenter, QString::number(bar.height));
    painter.restore();
}

void SnrChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Worked out once for all the bars, not once per bar.
    const Placement at = placement();
    const int labelHeight = QFontMetrics(painter.font()).height();
    drawChartPanel(painter, rect(), title_);
    drawBackWall(painter, at.wall);
    drawLeftAxisNumbers(painter, at.area, 0, at.top);
    const int step = labelStep();
    const bool marks = showsValueMarks();
    for (int index = 0; index < bars_.size(); ++index)
        drawBar(painter, at, labelHeight, index, step, marks);
}

} // namespace norvane
