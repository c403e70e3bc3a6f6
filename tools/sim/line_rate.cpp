// Kept apart: the kernel's termios2 header cannot share a file with <termios.h>.
#include "sim/line_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace norvane::sim {

int slaveLineRate(int masterFd)
{
    // On a pseudo-terminal master the line-setting requests reach the slave's settings.
    termios2 settings{};
    if (ioctl(masterFd, TCGETS2, &settings) != 0)
        return 0;
    return static_cast<int>(settings.c_ospeed);
}

} // namespace norvane::sim
