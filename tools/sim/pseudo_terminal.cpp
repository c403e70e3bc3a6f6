#include "sim/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace norvane::sim {

namespace {

std::string describe(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(std::string& error, bool softwareFlowControl)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) {
        error = describe("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        error = describe("pseudo-terminal set-up");
        close();
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) {
        error = describe("opening the slave");
        close();
        return false;
    }
    // A fresh pseudo-terminal echoes and edits lines; a serial line does neither, and an echo
    // would hand the receiver its own sentences back before the program has set the port up.
    termios settings{};
    tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL;
    if (softwareFlowControl)
        settings.c_iflag |= IXON | IXOFF;
    tcsetattr(slave_, TCSANOW, &settings);
    return true;
}

bool PseudoTerminal::link(const std::string& path, std::string& error)
{
    struct stat existing {};
    if (lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = path + " exists and is not a symbolic link";
            return false;
        }
        unlink(path.c_str());
    }
    if (symlink(slavePath_.c_str(), path.c_str()) != 0) {
        error = describe(("linking " + path).c_str());
        return false;
    }
    linkPath_ = path;
    return true;
}

void PseudoTerminal::close()
{
    if (!linkPath_.empty()) {
        unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

long PseudoTerminal::read(unsigned char* dest, std::size_t size)
{
    ssize_t n = ::read(master_, dest, size);
    if (n >= 0)
        return n;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

std::size_t PseudoTerminal::write(const std::string& bytes)
{
    ssize_t n = ::write(master_, bytes.data(), bytes.size());
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

} // namespace norvane::sim
