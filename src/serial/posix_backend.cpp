#include "serial/port_backend.h"
#include "serial/posix_device_names.h"
#include "serial/posix_line_settings.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace norvane {

namespace {

// How long a write may make no progress at all before it is reported as failed: a reader that
// has stopped taking bytes must not freeze the program.
constexpr int kWritePollMs = 100;
constexpr int kWriteStalledPolls = 50;

// Opens the device so that nobody else can: TIOCEXCL keeps other opens out (except root's),
// the advisory lock also keeps out a second open by root and by well-behaved programs.
int openExclusive(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (!isatty(fd) || ioctl(fd, TIOCEXCL) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool waitWritable(int fd)
{
    pollfd entry{fd, POLLOUT, 0};
    for (int polls = 0; polls < kWriteStalledPolls; ++polls) {
        const int ready = poll(&entry, 1, kWritePollMs);
        if (ready > 0)
            return (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
        if (ready < 0 && errno != EINTR)
            return false;
    }
    return false;
}

class PosixBackend : public PortBackend {
public:
    explicit PosixBackend(std::filesystem::path sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}
    ~PosixBackend() override { close(); }

    bool open(const std::string& portName) override
    {
        const auto path = deviceForPortName(portName);
        const int fd = path ? openExclusive(*path) : -1;
        if (fd < 0)
            return false;
        // A port still held from before is let go rather than leaked.
        close();
        fd_ = fd;
        return true;
    }

    bool isOpen() const override { return fd_ >= 0; }

    bool applyLineSettings(int rate) override { return applyRawLineSettings(fd_, rate); }

    void close() override
    {
        if (fd_ < 0)
            return;
        tcflush(fd_, TCIOFLUSH);
        // The exclusive flag lives on the device, not on this descriptor; left set, it would
        // keep the next open out while anyone else still holds the device.
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }

    bool purgeReceive() override { return fd_ >= 0 && tcflush(fd_, TCIFLUSH) == 0; }

    std::optional<std::uint32_t> queuedBytes() override
    {
        int queued = 0;
        if (fd_ < 0 || ioctl(fd_, FIONREAD, &queued) != 0 || queued < 0)
            return std::nullopt;
        return static_cast<std::uint32_t>(queued);
    }

    int read(std::uint8_t* dest, std::size_t count) override
    {
        if (fd_ < 0)
            return -1;
        for (;;) {
            const ssize_t got = ::read(fd_, dest, count);
            if (got >= 0)
                return static_cast<int>(got);
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
        }
    }

    bool write(const std::uint8_t* data, std::size_t count) override
    {
        if (fd_ < 0)
            return false;
        std::size_t done = 0;
        while (done < count) {
            const ssize_t put = ::write(fd_, data + done, count - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
            } else if (put < 0 && errno == EINTR) {
                continue;
            } else if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                if (!waitWritable(fd_))
                    return false;
            } else {
                return false;
            }
        }
        return true;
    }

    // The terminal layer sizes its own queues; there is nothing to set here.
    bool setupQueues(int) override { return fd_ >= 0; }

    bool noHardwareBehind(const std::string& portName) override
    {
        return describePort(portName, sysfsRoot_).presence == PortDescription::Presence::NoHardware;
    }

private:
    std::filesystem::path sysfsRoot_;
    int fd_ = -1;
};

} // namespace

std::unique_ptr<PortBackend> makePlatformBackend(const std::filesystem::path& sysfsRoot)
{
    return std::make_unique<PosixBackend>(sysfsRoot);
}

} // namespace norvane
