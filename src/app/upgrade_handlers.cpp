// PLACEHOLDER (owner: firmware upgrade): replaced with the real handlers.
#include "app/Mpgs.h"
namespace norvane {
void Tgpsw::bt_refreshClick() {}
void Tgpsw::Timer2Timer() {}
}  // namespace norvane
