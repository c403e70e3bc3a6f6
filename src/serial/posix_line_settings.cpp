#include "serial/posix_line_settings.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace norvane {

namespace {

// The byte-for-byte line the other platform's driver gives: nothing is echoed, collected into
// lines, translated or turned into signals. Nor taken for flow control: a fresh tty swallows
// received 0x11 and 0x13 bytes (a version reply's date or CRC can be either) and lets a 0x13
// pause our output. Hardware flow control stays as the port has it.
void makeRaw(struct termios2& settings)
{
    settings.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | INPCK);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
}

void setFraming(struct termios2& settings, int rate)
{
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    settings.c_cflag |= CS8;
    // CIBAUD cleared: the input rate follows the output rate.
    settings.c_cflag &= ~(CBAUD | CIBAUD);
    settings.c_cflag |= BOTHER;
    settings.c_ispeed = static_cast<unsigned>(rate);
    settings.c_ospeed = static_cast<unsigned>(rate);
}

} // namespace

bool applyRawLineSettings(int fd, int rate)
{
    if (fd < 0 || rate <= 0)
        return false;
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    makeRaw(settings);
    setFraming(settings, rate);
    return ioctl(fd, TCSETS2, &settings) == 0;
}

std::optional<unsigned> lineRateOf(int fd)
{
    struct termios2 settings {};
    if (fd < 0 || ioctl(fd, TCGETS2, &settings) != 0)
        return std::nullopt;
    return settings.c_ospeed;
}

} // namespace norvane
