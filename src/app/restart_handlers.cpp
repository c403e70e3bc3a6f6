// PLACEHOLDER (owner: restart commands): replaced with the real handlers.
#include "app/Mpgs.h"
namespace norvane {
void Tgpsw::bt_coldClick() {}
void Tgpsw::bt_warmClick() {}
void Tgpsw::bt_hotClick() {}
void Tgpsw::restartReset() {}
void Tgpsw::Button1Click() {}
void Tgpsw::bt_revisionClick() {}
}  // namespace norvane
