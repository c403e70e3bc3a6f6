// PLACEHOLDER (owner: satellite views).
#include "view/ui/sky_picture.h"
#include <QPainter>
namespace norvane {
SkyPicture::SkyPicture(QWidget* parent) : QWidget(parent), picture_(201, 209, QImage::Format_ARGB32) {}
void SkyPicture::setWhiteTransparent(bool on) { whiteTransparent_ = on; }
void SkyPicture::paintEvent(QPaintEvent*) {}
}  // namespace norvane
