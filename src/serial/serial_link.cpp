#include "serial/serial_link.h"

#include "serial/clock.h"

#include <algorithm>

namespace norvane {

namespace {

constexpr int kSlowestLineReadAtItsRate = 9600;
constexpr int kSettleAfterOpenMs = 500;
constexpr int kRefillAfterDiscardMs = 700;
// A purge that keeps failing means the device is gone; give up instead of spinning.
constexpr int kPurgeAttempts = 5;

} // namespace

std::uint32_t tickReadLimit(int rate)
{
    return rate <= kSlowestLineReadAtItsRate ? kReadAvailableLimit : twoSecondsOfLine(rate);
}

SerialLink::SerialLink(std::unique_ptr<PortBackend> backend) : backend_(std::move(backend)) {}

bool SerialLink::openPort(const std::string& portText)
{
    if (backend_->open(portNameFromText(portText)))
        return true;
    closePort();
    return false;
}

bool SerialLink::setLineSettings(const std::string& rateText)
{
    const int rate = rateFromText(rateText);
    if (backend_->applyLineSettings(rate)) {
        lineRate_ = rate;
        return true;
    }
    closePort();
    return false;
}

bool SerialLink::openLink(const std::string& portText, const std::string& rateText)
{
    if (!openPort(portText))
        return false;
    clock().sleepMs(kSettleAfterOpenMs);
    try {
        return setLineSettings(rateText);
    } catch (const ConversionError&) {
        // Left open, the port would stay held exclusively while the window shows "Start",
        // and every later Start would fail.
        closePort();
        throw;
    }
}

void SerialLink::closePort()
{
    backend_->close();
}

bool SerialLink::purgeInput()
{
    backend_->purgeReceive();
    return true;
}

bool SerialLink::discardBacklog()
{
    for (int attempt = 0; attempt < kPurgeAttempts; ++attempt)
        if (backend_->purgeReceive())
            return true;
    return false;
}

int SerialLink::readAvailable(ReceiveBuffer& dest, std::uint32_t limit)
{
    limit = std::min<std::uint32_t>(limit, dest.size());
    if (!queryQueued()) {
        readCount_ = 0;
        return 0;
    }
    // Only one discard per call: a receiver that sends more than the limit a second would
    // otherwise keep the call purging and waiting for ever.
    if (lastQueued_ > limit) {
        if (!discardBacklog()) {
            readCount_ = 0;
            return 0;
        }
        clock().sleepMs(kRefillAfterDiscardMs);
        if (!queryQueued()) {
            readCount_ = 0;
            return 0;
        }
    }
    return readWaiting(dest.data(), std::min(lastQueued_, limit));
}

int SerialLink::readQueued(ReceiveBuffer& dest)
{
    const auto queued = queryQueued();
    if (!queued || *queued == 0)
        return 0;
    queryQueued();
    dest.fill(0);
    return readWaiting(dest.data(), std::min<std::size_t>(lastQueued_, dest.size()));
}

bool SerialLink::writeBytes(const void* data, std::size_t count)
{
    const bool written = backend_->write(static_cast<const std::uint8_t*>(data), count);
    lastWriteMs_ = clock().nowMs();
    return written;
}

bool SerialLink::setQueueSizes(int size)
{
    return backend_->setupQueues(size);
}

bool SerialLink::isOpen() const
{
    return backend_->isOpen();
}

bool SerialLink::noHardwareBehind(const std::string& portText)
{
    return backend_->noHardwareBehind(portNameFromText(portText));
}

std::optional<std::uint32_t> SerialLink::queryQueued()
{
    const auto queued = backend_->queuedBytes();
    if (queued)
        lastQueued_ = *queued;
    return queued;
}

int SerialLink::readWaiting(std::uint8_t* dest, std::size_t count)
{
    const int got = count == 0 ? 0 : backend_->read(dest, count);
    readCount_ = got > 0 ? static_cast<std::uint32_t>(got) : 0;
    return static_cast<int>(readCount_);
}

} // namespace norvane
