#pragma once

#include "survey/error_history.h"
#include "survey/geodesy.h"
#include "survey/survey.h"

#include <QPixmap>
#include <QWidget>
#include <cstddef>
#include <optional>

namespace norvane {

// Below the scatter: the horizontal error and the vertical error (up) of the fixes over the
// last hour, or the whole run when it is shorter, one strip each on a shared time axis. The fixes
// are thinned to the plot's pixel columns as they come; a mean reference that has moved by half
// a pixel of either strip, another reference or a resize takes them all again. The picture is
// cached, at the screen's pixel ratio, and drawn again only when it would look different.
class ErrorTimePlot : public QWidget {
    Q_OBJECT

public:
    // The survey lives as long as the plot (the window owns both).
    explicit ErrorTimePlot(const Survey& survey, QWidget* parent = nullptr);

    void surveyRefreshed();
    // A new run, or another reference: the next refresh takes every fix again.
    void forget();

    // The strips' areas.
    QRect horizontalWall() const;
    QRect verticalWall() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Tops {
        double horizontal = 1; // the horizontal strip runs from 0 to this
        double up = 1;         // the vertical strip from minus this to this
    };
    // What the cached picture shows: its time span and its strips' scales.
    struct Shown {
        double from = 0, to = 0;
        Tops tops;
    };

    void redrawAll();
    bool visiblyChanged() const;
    void drawPicture();
    Tops tops() const;
    // Metres of half a pixel in the finer strip: a reference that moved less leaves no trace.
    double halfPixelMetres() const;
    void paintStrip(QPainter& painter, const QRect& wall, double low, double high, bool up) const;
    void paintTimeAxis(QPainter& painter, const QRect& wall) const;

    const Survey& survey_;
    ErrorHistory history_;
    std::optional<Geodetic> historyReference_;
    std::size_t taken_ = 0;
    QPixmap picture_;
    Shown shown_;
    bool stale_ = true;
};

} // namespace norvane
