#include "view/ui/sky_picture.h"

#include "view/ui/palette_colours.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

namespace norvane {

namespace {

constexpr int kPictureWidth = 201;
constexpr int kPictureHeight = 209;

QImage withWhiteSeeThrough(const QImage& picture)
{
    // Premultiplied, the format the window blends fastest; see-through and opaque pixels read
    // the same in either.
    QImage shown = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb white = qRgb(0xFF, 0xFF, 0xFF);
    for (int y = 0; y < shown.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            if ((line[x] | 0xFF000000u) == white)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return shown;
}

} // namespace

SkyPicture::SkyPicture(QWidget* parent)
    : QWidget(parent), picture_(kPictureWidth, kPictureHeight, QImage::Format_RGB32)
{
    // An empty picture is white, which the grid layer shows as see-through.
    picture_.fill(Qt::white);
    resize(kPictureWidth, kPictureHeight);
    setWhiteTransparent(false);
}

QImage& SkyPicture::picture()
{
    matchLayer();
    drawPending();
    return picture_;
}

const QImage& SkyPicture::picture() const
{
    matchLayer();
    drawPending();
    return picture_;
}

void SkyPicture::drawLater(Drawing draw)
{
    drawing_ = std::move(draw);
    pending_ = true;
    update();
}

// The picture has as many pixels as the layer shows, and draws in its designed 201 pixels
// across whatever that is.
void SkyPicture::matchLayer() const
{
    const double ratio = devicePixelRatioF();
    const QSize pixels(qRound(width() * ratio), qRound(height() * ratio));
    if (pixels.isEmpty() || pixels == picture_.size())
        return;
    picture_ = QImage(pixels, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(double(pixels.width()) / kPictureWidth);
    picture_.fill(Qt::white);
    pending_ = static_cast<bool>(drawing_);
}

void SkyPicture::drawPending() const
{
    if (!pending_)
        return;
    // Marked done first: the drawing may read the picture back.
    pending_ = false;
    drawing_(picture_, viewColoursOf(palette()));
}

void SkyPicture::setWhiteTransparent(bool on)
{
    whiteTransparent_ = on;
    // A layer that shows its whole picture hides what lies under it, which then need not be
    // painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

QImage SkyPicture::shownPicture() const
{
    const QImage& drawn = picture();
    if (!whiteTransparent_)
        return drawn;
    if (shownKey_ != drawn.cacheKey()) {
        shown_ = withWhiteSeeThrough(drawn);
        shownKey_ = drawn.cacheKey();
    }
    return shown_;
}

void SkyPicture::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && drawing_) {
        picture_.fill(Qt::white);
        pending_ = true;
        update();
    }
}

void SkyPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), shownPicture());
}

} // namespace norvane
