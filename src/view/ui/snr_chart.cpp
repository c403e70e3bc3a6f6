#include "view/ui/snr_chart.h"

#include "view/axis_ticks.h"
#include "view/satellite_description.h"
#include "view/system_marks.h"
#include "view/ui/chart_painting.h"
#include "view/ui/palette_colours.h"
#include "view/ui/rgb_colour.h"

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

// Lines or dots that contrast with a bar's status colour: white on blue, black on silver and white.
QColor patternColour(const QColor& fill)
{
    return qGray(fill.rgb()) < 128 ? Qt::white : Qt::black;
}

void drawPattern(QPainter& painter, const QRect& inside, BandPattern pattern, const QColor& fill)
{
    const QColor colour = patternColour(fill);
    switch (pattern) {
    case BandPattern::Plain:
        break;
    case BandPattern::Stripes:
        painter.setPen(colour);
        for (int y = inside.top() + 1; y <= inside.bottom(); y += 3)
            painter.drawLine(inside.left(), y, inside.right(), y);
        break;
    case BandPattern::Chequer:
        painter.fillRect(inside, QBrush(colour, Qt::Dense4Pattern));
        break;
    case BandPattern::Hatch:
        painter.fillRect(inside, QBrush(colour, Qt::BDiagPattern));
        break;
    case BandPattern::CrossHatch:
        painter.fillRect(inside, QBrush(colour, Qt::DiagCrossPattern));
        break;
    }
}

// An outlined box of the bar colour with the band's pattern, its outline inside `box`.
void drawPatternedBox(QPainter& painter, const QRect& box, BandPattern pattern, const QColor& fill,
                      const QColor& outline)
{
    painter.setPen(outline);
    painter.setBrush(fill);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    drawPattern(painter, box.adjusted(1, 1, -1, -1), pattern, fill);
}

// The bands along the right of the title line: a box of the wall's colour with each band's
// pattern, and its name.
void drawBandLegend(QPainter& painter, const QRect& panel, const QVector<BandKey>& bands,
                    const ViewColours& colours)
{
    constexpr int kBox = 11;
    const QFontMetrics metrics(painter.font());
    int width = 0;
    for (const BandKey& band : bands)
        width += kBox + 3 + metrics.horizontalAdvance(band.name) + 8;
    int x = panel.right() - width;
    for (const BandKey& band : bands) {
        drawPatternedBox(painter, QRect(x, 4, kBox, kBox - 2), band.pattern, toQColor(colours.wall),
                         toQColor(colours.wallLine));
        x += kBox + 3;
        painter.setPen(toQColor(colours.panelText));
        painter.drawText(QRect(x, 2, metrics.horizontalAdvance(band.name), metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, band.name);
        x += metrics.horizontalAdvance(band.name) + 8;
    }
}

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
    bands_.clear();
    setAccessibleDescription(QString::fromStdString(satelliteDescription({})));
    update();
}

void SnrChart::addBar(const ChartBar& bar)
{
    // Bars are kept in ascending x, as the chart's series orders them. They mostly come in that
    // order, a bar per band of each satellite after every GSV group.
    if (bars_.isEmpty() || bars_.back().x <= bar.x) {
        bars_.push_back(bar);
    } else {
        const auto place = std::upper_bound(bars_.begin(), bars_.end(), bar.x,
                                            [](double x, const ChartBar& b) { return x < b.x; });
        bars_.insert(place, bar);
    }
    update();
}

void SnrChart::setBands(const QVector<BandKey>& bands)
{
    bands_ = bands;
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
    return metrics.horizontalAdvance(QStringLiteral("00")) + 6 <=
           slotWidth() / std::max<int>(1, bands_.size());
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
    return {backWall(),  valueArea(markMetrics),          valueTop(),
            slotWidth(), std::max<int>(1, bands_.size()), markMetrics};
}

QRect SnrChart::barRect(int index) const
{
    return barRect(placement(), index);
}

QRect SnrChart::markRect(int index) const
{
    return markRect(placement(), index);
}

// The bars of one x share the middle of its slot, each band its part; `wholeSlot` gives the
// whole of that middle, under which the label stands.
QRect SnrChart::barRect(const Placement& at, int index, bool wholeSlot) const
{
    if (index < 0 || index >= bars_.size())
        return {};
    const ChartBar& bar = bars_[index];
    const double centre = at.wall.left() + (bar.x - 0.5) * at.slot;
    const double halfWidth = at.slot * kBarFill / 2;
    const int top = qRound(pixelY(at.area, 0, at.top, bar.height));
    double left = centre - halfWidth;
    double right = centre + halfWidth;
    if (!wholeSlot && at.bandCount > 1) {
        const double width = (right - left) / at.bandCount;
        left += width * bar.bandPlace;
        right = left + width;
    }
    return QRect(QPoint(qRound(left), top), QPoint(qRound(right), at.area.bottom()));
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
    const QColor fill = toQColor(at.colours.meaning(toRgb(bar.color)));
    // The outline lets white bars (satellites not used) stand out from the white wall.
    painter.setPen(toQColor(at.colours.wallLine));
    painter.setBrush(fill);
    painter.drawRect(body.adjusted(0, 0, -1, 0));
    if (bar.pattern != BandPattern::Plain)
        drawPattern(painter, body.adjusted(1, 1, -1, 0), bar.pattern, fill);

    // One label for the bars of one x, under them all.
    const bool firstOfItsX = index == 0 || bars_[index - 1].x != bar.x;
    if (firstOfItsX && (static_cast<int>(bar.x) - 1) % step == 0) {
        const QRect under = barRect(at, index, true);
        painter.setPen(toQColor(at.colours.panelText));
        painter.drawText(QRect(under.left() - 10, at.wall.bottom() + 2, under.width() + 20, labelHeight),
                         Qt::AlignHCenter | Qt::AlignTop, bar.label);
    }
    if (!marks)
        return;

    painter.save();
    const QRect mark = markRect(at, index);
    painter.setFont(markFont_);
    painter.setPen(QPen(toQColor(at.colours.wallLine), 1, Qt::DotLine));
    painter.setBrush(toQColor(at.colours.markBox));
    painter.drawRect(mark.adjusted(0, 0, -1, -1));
    painter.setPen(toQColor(at.colours.markText));
    painter.drawText(mark, Qt::AlignCenter, QString::number(bar.height));
    painter.restore();
}

void SnrChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Worked out once for all the bars, not once per bar.
    Placement at = placement();
    at.colours = viewColoursOf(palette());
    const int labelHeight = QFontMetrics(painter.font()).height();
    drawChartPanel(painter, rect(), title_, at.colours);
    drawBackWall(painter, at.wall, at.colours);
    drawLeftAxisNumbers(painter, at.area, 0, at.top, at.colours);
    if (bands_.size() > 1)
        drawBandLegend(painter, rect(), bands_, at.colours);
    const int step = labelStep();
    const bool marks = showsValueMarks();
    for (int index = 0; index < bars_.size(); ++index)
        drawBar(painter, at, labelHeight, index, step, marks);
}

} // namespace norvane
