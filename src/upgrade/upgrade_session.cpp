#include "upgrade/upgrade_session.h"

namespace norvane {

UpgradeSession& upgradeSession()
{
    // Static storage: the image buffer is too large to want it on any stack.
    static UpgradeSession session;
    return session;
}

} // namespace norvane
