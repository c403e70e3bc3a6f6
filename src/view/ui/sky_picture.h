#pragma once

#include <QImage>
#include <QWidget>

namespace norvane {

// One layer of the sky plot: a 201 x 209 picture. The grid layer shows its white pixels as
// see-through so the sky layer below shows.
class SkyPicture : public QWidget {
    Q_OBJECT

public:
    explicit SkyPicture(QWidget* parent = nullptr);

    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    void setWhiteTransparent(bool on);
    bool whiteTransparent() const { return whiteTransparent_; }

    // The picture as this layer shows it: white made see-through when the layer is transparent.
    QImage shownPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool whiteTransparent_ = false;
    // The see-through picture is rebuilt only when the picture changed: the grid layer is
    // painted with every repaint of the window but redrawn only by a reset.
    mutable QImage shown_;
    mutable qint64 shownKey_ = -1;
};

} // namespace norvane
