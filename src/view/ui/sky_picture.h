#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace norvane {

// One layer of the sky plot: a 201 x 209 picture. The grid layer shows its white pixels as
// see-through so the sky layer below shows.
class SkyPicture : public QWidget {
    Q_OBJECT

public:
    explicit SkyPicture(QWidget* parent = nullptr);

    // Reading or drawing into the picture first draws what drawLater() left pending.
    QImage& picture();
    const QImage& picture() const;
    // Draws into the picture when it is next shown or read rather than now: a layer redrawn
    // several times between two paints of the window is drawn once. A later call replaces a
    // pending drawing: `draw` must cover all that the drawing it replaces could change.
    void drawLater(std::function<void(QImage&)> draw);
    void setWhiteTransparent(bool on);
    bool whiteTransparent() const { return whiteTransparent_; }

    // The picture as this layer shows it: white made see-through when the layer is transparent.
    QImage shownPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawPending() const;

    mutable QImage picture_;
    mutable std::function<void(QImage&)> pending_;
    bool whiteTransparent_ = false;
    // The see-through picture is rebuilt only when the picture changed: the grid layer is
    // painted with every repaint of the window but redrawn only by a reset.
    mutable QImage shown_;
    mutable qint64 shownKey_ = -1;
};

} // namespace norvane
