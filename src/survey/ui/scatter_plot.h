#pragma once

#include "survey/geodesy.h"
#include "survey/scatter_zoom.h"
#include "survey/survey.h"

#include <QPixmap>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <vector>

namespace norvane {

// The fixes in metres east and north of the reference, which stays at the centre, to the same
// scale across and up, with the CEP50 and R95 circles. The fixes are drawn once into a cached
// picture at the screen's pixel ratio: a refresh adds only the new ones, and moves the picture
// by as much as a mean reference moved; all are drawn again only on zoom, Fit, a resize or
// another reference.
class ScatterPlot : public QWidget {
    Q_OBJECT

public:
    // The survey lives as long as the plot (the window owns both).
    explicit ScatterPlot(const Survey& survey, QWidget* parent = nullptr);

    // After the survey's figures were refreshed.
    void surveyRefreshed();
    // A new run, or another reference: the picture is dropped, and the next refresh draws every
    // fix again.
    void forget();

    void zoomIn();
    void zoomOut();
    void fit();

    // The plot's area, and where a point east and north of the reference is drawn in it now.
    QRect wall() const;
    QPointF pixelOf(double east, double north) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Every fix again, about the reference of the last refresh.
    void redrawAll();
    double pixelsPerMetre() const;
    // Where the cached picture goes: the reference's move since it was drawn, in pixels, and
    // the picture's top left corner in the plot.
    QPointF cacheOffset() const;
    QPointF cacheOrigin() const;
    QString circlesLook() const;
    QRectF drawFixes(const std::vector<SurveyPoint>& points);
    // The palette's highlight, as it stands out from the plot.
    QColor fixColour() const;
    void drawAxes();
    void drawOverlay();
    void paintCircles(QPainter& painter) const;

    const Survey& survey_;
    ScatterZoom zoom_;
    std::optional<double> cep50_, r95_;

    // The axes, their numbers and titles, the grid and the frame, drawn again only when the
    // scale, the size or the palette changes: the numbers are the costly part of a paint.
    QPixmap axes_;
    // The axes with the circles over them, drawn again when the circles look different: a
    // refresh that only adds fixes paints their few pixels, not the circles and their labels.
    QPixmap overlay_;
    QPixmap fixes_;
    std::optional<Geodetic> fixesReference_; // what the cached picture's fixes are measured from
    Enu shift_;                              // the reference now, seen from fixesReference_
    QPoint shownOffset_;                     // cacheOffset() in device pixels when last shown
    std::size_t drawn_ = 0;
};

} // namespace norvane
