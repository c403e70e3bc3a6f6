#include "control/restart_kind.h"

namespace norvane {

std::string autoMessageHead(RestartKind kind)
{
    switch (kind) {
    case RestartKind::Cold:
        return "AUTO Cold ";
    case RestartKind::Warm:
        return "AUTO Warm ";
    case RestartKind::Hot:
        return "AUTO Hot ";
    }
    return {};
}

} // namespace norvane
