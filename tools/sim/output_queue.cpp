#include "sim/output_queue.h"

#include <algorithm>

namespace norvane::sim {

void OutputQueue::push(OutgoingMessage message)
{
    if (!message.bytes.empty())
        messages_.push_back(std::move(message));
}

void OutputQueue::pushNext(OutgoingMessage message)
{
    if (message.bytes.empty())
        return;
    // Never in front of a message already begun; behind earlier replies still waiting.
    std::size_t first = sentOfFront_ > 0 ? 1 : 0;
    std::size_t at = std::clamp(nextInsert_, first, messages_.size());
    messages_.insert(messages_.begin() + static_cast<std::ptrdiff_t>(at), std::move(message));
    nextInsert_ = at + 1;
}

void OutputQueue::dropWaiting()
{
    std::size_t keep = sentOfFront_ > 0 ? 1 : 0;
    messages_.resize(std::min(keep, messages_.size()));
    nextInsert_ = keep;
}

std::size_t OutputQueue::pendingBytes() const
{
    std::size_t total = 0;
    for (const OutgoingMessage& message : messages_)
        total += message.bytes.size();
    return total - sentOfFront_;
}

std::string OutputQueue::take(std::size_t count)
{
    if (messages_.empty())
        return {};
    const std::string& front = messages_.front().bytes;
    std::string chunk = front.substr(sentOfFront_, count);
    sentOfFront_ += chunk.size();
    if (sentOfFront_ == front.size()) {
        messages_.pop_front();
        sentOfFront_ = 0;
        nextInsert_ = nextInsert_ > 0 ? nextInsert_ - 1 : 0;
    }
    return chunk;
}

} // namespace norvane::sim
