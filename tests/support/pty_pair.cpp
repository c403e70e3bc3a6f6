#include "support/pty_pair.h"

#if !defined(_WIN32)

// The arbitrary-rate terminal structure; it cannot be combined with <termios.h>.
#include <asm/termbits.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace norvane {

namespace {

bool readSettings(int fd, struct termios2& settings)
{
    return fd >= 0 && ioctl(fd, TCGETS2, &settings) == 0;
}

int dataBitsOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

} // namespace

PtyPair::PtyPair()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    char path[128] = {};
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, path, sizeof path) != 0)
        throw std::runtime_error("no pseudo-terminal available");
    slavePath_ = path;
    slaveKeepalive_ = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveKeepalive_ < 0)
        throw std::runtime_error("cannot open " + slavePath_);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    if (exposedVariable_)
        unsetenv(exposedVariable_->c_str());
    closeMaster();
    if (slaveKeepalive_ >= 0)
        ::close(slaveKeepalive_);
}

std::string PtyPair::exposeAs(int number)
{
    const std::string name = "COM" + std::to_string(number);
    if (exposedVariable_)
        unsetenv(exposedVariable_->c_str());
    exposedVariable_ = "NORVANE_" + name;
    setenv(exposedVariable_->c_str(), slavePath_.c_str(), 1);
    return name;
}

bool PtyPair::send(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (put > 0) {
            done += static_cast<std::size_t>(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd entry{master_, POLLOUT, 0};
        if (poll(&entry, 1, 5000) <= 0)
            return false;
    }
    return true;
}

bool PtyPair::waitQueued(std::size_t count, int timeoutMs)
{
    for (int waited = 0;; ++waited) {
        int queued = 0;
        if (ioctl(slaveKeepalive_, FIONREAD, &queued) != 0)
            return false;
        if (static_cast<std::size_t>(queued) >= count)
            return true;
        if (waited >= timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string PtyPair::receive(std::size_t count, int timeoutMs)
{
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
        pollfd entry{master_, POLLIN, 0};
        if (poll(&entry, 1, 10) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::read(master_, chunk, std::min(sizeof chunk, count - got.size()));
        if (n <= 0)
            break;
        got.append(chunk, static_cast<std::size_t>(n));
    }
    return got;
}

PtyLineState PtyPair::lineState() const
{
    struct termios2 settings {};
    PtyLineState state;
    if (!readSettings(master_, settings))
        return state;
    state.rate = settings.c_ospeed;
    state.dataBits = dataBitsOf(settings.c_cflag);
    state.parity = (settings.c_cflag & PARENB) != 0;
    state.twoStopBits = (settings.c_cflag & CSTOPB) != 0;
    state.rtsCtsFlow = (settings.c_cflag & CRTSCTS) != 0;
    state.xonXoffOutput = (settings.c_iflag & IXON) != 0;
    state.xonXoffInput = (settings.c_iflag & IXOFF) != 0;
    state.echo = (settings.c_lflag & ECHO) != 0;
    state.canonical = (settings.c_lflag & ICANON) != 0;
    state.signalKeys = (settings.c_lflag & ISIG) != 0;
    state.translatesCrNl = (settings.c_iflag & (ICRNL | INLCR | IGNCR)) != 0;
    state.outputProcessing = (settings.c_oflag & OPOST) != 0;
    state.localLine = (settings.c_cflag & CLOCAL) != 0;
    state.receiverOn = (settings.c_cflag & CREAD) != 0;
    return state;
}

bool PtyPair::presetCookedLine(bool rtsCtsFlow, bool xonXoffFlow)
{
    struct termios2 settings {};
    if (!readSettings(master_, settings))
        return false;
    settings.c_cflag &= ~(CBAUD | CIBAUD | CLOCAL | CRTSCTS);
    settings.c_cflag |= BOTHER | CSTOPB | (rtsCtsFlow ? CRTSCTS : 0);
    settings.c_ispeed = settings.c_ospeed = 2400;
    settings.c_iflag &= ~(IXON | IXOFF);
    settings.c_iflag |= ICRNL | (xonXoffFlow ? IXON | IXOFF : 0);
    settings.c_oflag |= OPOST | ONLCR;
    settings.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
    return ioctl(master_, TCSETS2, &settings) == 0;
}

void PtyPair::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

} // namespace norvane

#endif
