#include "support/fake_port_backend.h"

#include <algorithm>

namespace norvane {

void FakePortBackend::pushIncoming(std::string_view bytes)
{
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
}

void FakePortBackend::pushIncoming(const std::vector<std::uint8_t>& bytes)
{
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
}

std::string FakePortBackend::writtenText() const
{
    std::string text;
    for (const auto& chunk : writes)
        text.append(chunk.begin(), chunk.end());
    return text;
}

bool FakePortBackend::open(const std::string& portName)
{
    if (failOpen || unplugged)
        return false;
    open_ = true;
    openedName = portName;
    ++openCount;
    return true;
}

bool FakePortBackend::applyLineSettings(int rate)
{
    if (!usable() || failSettings || rate <= 0)
        return false;
    lastRate = rate;
    appliedRates.push_back(rate);
    return true;
}

void FakePortBackend::close()
{
    if (!open_)
        return;
    open_ = false;
    ++closeCount;
    incoming_.clear();
}

bool FakePortBackend::purgeReceive()
{
    ++purgeAttempts;
    if (!usable())
        return false;
    if (purgeFailures > 0) {
        --purgeFailures;
        return false;
    }
    incoming_.clear();
    ++purgeCount;
    return true;
}

std::optional<std::uint32_t> FakePortBackend::queuedBytes()
{
    ++queryCount;
    if (!usable() || failQuery)
        return std::nullopt;
    const auto queued = static_cast<std::uint32_t>(incoming_.size());
    if (onQuery)
        onQuery();
    return queued;
}

int FakePortBackend::read(std::uint8_t* dest, std::size_t count)
{
    readRequests.push_back(count);
    if (!usable())
        return -1;
    const std::size_t n = std::min(count, incoming_.size());
    std::copy_n(incoming_.begin(), n, dest);
    incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<int>(n);
}

bool FakePortBackend::write(const std::uint8_t* data, std::size_t count)
{
    if (!usable() || failWrite)
        return false;
    writes.emplace_back(data, data + count);
    if (onWrite) {
        const std::vector<std::uint8_t> chunk = writes.back();
        onWrite(chunk);
    }
    return true;
}

bool FakePortBackend::setupQueues(int size)
{
    if (!usable())
        return false;
    queueSize = size;
    return !failSetupQueues;
}

} // namespace norvane
