#include "view/ui/sky_picture.h"

#include <QPainter>

namespace norvane {

namespace {

constexpr int kPictureWidth = 201;
constexpr int kPictureHeight = 209;

QImage withWhiteSeeThrough(const QImage& picture)
{
    QImage shown = picture.convertToFormat(QImage::Format_ARGB32);
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
}

void SkyPicture::setWhiteTransparent(bool on)
{
    whiteTransparent_ = on;
    update();
}

QImage SkyPicture::shownPicture() const
{
    if (!whiteTransparent_)
        return picture_;
    if (shownKey_ != picture_.cacheKey()) {
        shown_ = withWhiteSeeThrough(picture_);
        shownKey_ = picture_.cacheKey();
    }
    return shown_;
}

void SkyPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, shownPicture());
}

} // namespace norvane
