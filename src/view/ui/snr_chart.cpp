// PLACEHOLDER (owner: satellite views).
#include "view/ui/snr_chart.h"
namespace norvane {
SnrChart::SnrChart(QWidget* parent) : QWidget(parent) {}
void SnrChart::clearBars() { bars_.clear(); }
void SnrChart::addBar(const ChartBar& bar) { bars_.push_back(bar); }
void SnrChart::paintEvent(QPaintEvent*) {}
}  // namespace norvane
