#pragma once

#include "view/view_colours.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace norvane {

// One layer of the sky plot: a picture drawn in the 201 x 209 pixels it was designed in, made
// at the layer's size and the screen's pixel ratio, so that an enlarged plot or a scaled screen
// shows it sharp, in the colours of the palette it is shown with (drawn anew when that
// changes). The grid layer shows its white pixels as see-through so the sky layer below shows.
class SkyPicture : public QWidget {
    Q_OBJECT

public:
    explicit SkyPicture(QWidget* parent = nullptr);

    using Drawing = std::function<void(QImage&, const ViewColours&)>;

    // Reading or drawing into the picture first draws what drawLater() left pending, and makes
    // the picture anew (with the last drawing) when the layer's size, pixel ratio or palette
    // has changed.
    QImage& picture();
    const QImage& picture() const;
    // Draws into the picture when it is next shown or read rather than now: a layer redrawn
    // several times between two paints of the window is drawn once. A later call replaces a
    // pending drawing: `draw` must cover all that the drawing it replaces could change.
    void drawLater(Drawing draw);
    void setWhiteTransparent(bool on);
    bool whiteTransparent() const { return whiteTransparent_; }

    // The picture as this layer shows it: white made see-through when the layer is transparent.
    QImage shownPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void matchLayer() const;
    void drawPending() const;

    mutable QImage picture_;
    // The last drawing asked for, kept to make the picture anew at another size or palette.
    mutable Drawing drawing_;
    mutable bool pending_ = false;
    bool whiteTransparent_ = false;
    // The see-through picture is rebuilt only when the picture changed: the grid layer is
    // painted with every repaint of the window but redrawn only by a reset.
    mutable QImage shown_;
    mutable qint64 shownKey_ = -1;
};

} // namespace norvane
