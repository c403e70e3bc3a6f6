// PLACEHOLDER (owner: satellite views): replaced with the real handlers.
#include "app/Mpgs.h"
namespace norvane {
void Tgpsw::updateSnrChart() {}
void Tgpsw::drawSkyPlot() {}
void Tgpsw::drawSkyGrid() {}
bool Tgpsw::viewPointVisible() { return false; }
void Tgpsw::plotViewPoint() {}
void Tgpsw::bt_pointClick() {}
void Tgpsw::connectViewPointWindow() {}
}  // namespace norvane
