// Uses the kernel's termios2 to set any rate, as the serial link does.
#include "slave_port.h"

#include <asm/termbits.h>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace norvane::sim::testing {

SlavePort::SlavePort(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

SlavePort::~SlavePort()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool SlavePort::setRate(int rate)
{
    termios2 settings{};
    if (ioctl(fd_, TCGETS2, &settings) != 0)
        return false;
    settings.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CBAUD);
    settings.c_cflag |= CS8 | CLOCAL | CREAD | BOTHER;
    settings.c_ispeed = settings.c_ospeed = static_cast<speed_t>(rate);
    return ioctl(fd_, TCSETS2, &settings) == 0;
}

bool SlavePort::write(const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{fd_, POLLOUT, 0};
            poll(&p, 1, 100);
        } else {
            return false;
        }
    }
    return true;
}

void SlavePort::discardInput()
{
    ioctl(fd_, TCFLSH, TCIFLUSH);
}

long SlavePort::readNow(std::string& into)
{
    char buffer[4096];
    long total = 0;
    for (;;) {
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
            total += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN)
            return -1;
        return total;
    }
}

std::string SlavePort::readUntil(const std::function<bool(const std::string&)>& done,
                                 std::chrono::milliseconds limit)
{
    std::string received;
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done(received) && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd_, POLLIN, 0};
        poll(&p, 1, 20);
        if (readNow(received) < 0)
            break;
    }
    return received;
}

std::string bytesOf(std::initializer_list<std::uint8_t> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::function<bool(const std::string&)> contains(const std::string& text)
{
    return [text](const std::string& read) { return read.find(text) != std::string::npos; };
}

} // namespace norvane::sim::testing
