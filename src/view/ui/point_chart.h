#pragma once

#include "view/point_series.h"
#include "view/view_point_plot.h"

#include <QPointF>
#include <QString>
#include <QWidget>

namespace norvane {

// The view-point window's chart: one point series (Series1) on a flat white back wall, with
// numbered axes whose limits only the program sets, and a one-line title.
class PointChart : public QWidget {
    Q_OBJECT

public:
    explicit PointChart(QWidget* parent = nullptr);

    PointSeries& series() { return series_; }
    const PointSeries& series() const { return series_; }
    const ViewAxes& axes() const { return axes_; }
    void setAxes(const ViewAxes& axes);

    QString title() const { return title_; }
    void setTitle(const QString& title);

    // Pixels from the point's centre to the edge of its circle, across and up.
    void setPointerSize(int horizontal, int vertical);

    QRect backWall() const;
    // Where a point with these values is drawn, in widget pixels.
    QPointF pixelOf(ChartPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PointSeries series_;
    ViewAxes axes_ = kInitialViewAxes;
    QString title_ = QStringLiteral("TChart");
    int pointerWidth_ = 2;
    int pointerHeight_ = 2;
};

} // namespace norvane
