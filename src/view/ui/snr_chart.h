#pragma once

#include "view/system_marks.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QVector>
#include <QWidget>

namespace norvane {

struct ChartBar {
    double x = 0;
    double height = 0;
    QString label;
    QColor color;
    int bandPlace = 0; // beside the other bars of its x, 0 on the left
    BandPattern pattern = BandPattern::Plain;
};

// A band of the chart's legend.
struct BandKey {
    QString name;
    BandPattern pattern;
};

// Chart1 of the main window: the SNR bar chart with its one series Series1. Bars carry their
// own colours and a value mark above them; the value axis follows the bars.
class SnrChart : public QWidget {
    Q_OBJECT

public:
    explicit SnrChart(QWidget* parent = nullptr);

    // Also resets the accessible description to an empty sky's, and the bands.
    void clearBars();
    void addBar(const ChartBar& bar);
    const QVector<ChartBar>& bars() const { return bars_; }
    // The bands the bars of one x stand for, side by side in this order; with more than one,
    // a legend names them.
    void setBands(const QVector<BandKey>& bands);
    const QVector<BandKey>& bands() const { return bands_; }
    QString title() const { return title_; }
    // Crowded bars: label only every so many bars, so that labels never overlap, and leave
    // out the value marks when they would not fit above their bars. Off, every bar has both.
    void setThinCrowdedLabels(bool on);
    // Every how many bars an axis label stands, and whether value marks are drawn.
    int labelStep() const;
    bool showsValueMarks() const;

    // Where bar `index` and its value mark are drawn, in widget pixels.
    QRect barRect(int index) const;
    QRect markRect(int index) const;
    // The flat back wall the bars stand on.
    QRect backWall() const;
    // The value at the top of the automatic value axis.
    double valueTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the bars stand: the same for every bar of a paint.
    struct Placement {
        QRect wall;
        QRect area;
        double top;
        double slot;
        int bandCount;
        QFontMetrics markMetrics;
    };

    QRect valueArea(const QFontMetrics& markMetrics) const;
    double slotWidth() const;
    Placement placement() const;
    QRect barRect(const Placement& at, int index, bool wholeSlot = false) const;
    QRect markRect(const Placement& at, int index) const;
    void drawBar(QPainter& painter, const Placement& at, int labelHeight, int index, int step,
                 bool marks) const;

    bool thinCrowdedLabels_ = false;
    QFont markFont_;
    QVector<ChartBar> bars_;
    QVector<BandKey> bands_;
    QString title_ = QStringLiteral("SNR");
};

} // namespace norvane
