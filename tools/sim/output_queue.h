// What the receiver has still to send, message by message. A message once begun is sent to its
// end; replies to commands go out between messages, never inside a sentence.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace norvane::sim {

struct OutgoingMessage {
    std::string bytes;
    int rate = 0; // the line rate the receiver sends it at
};

class OutputQueue {
public:
    void push(OutgoingMessage message);
    // Goes out right after the message in progress, ahead of everything else waiting.
    void pushNext(OutgoingMessage message);
    // Forgets every waiting message; the one in progress is finished.
    void dropWaiting();

    bool empty() const { return messages_.empty(); }
    std::size_t pendingBytes() const;
    // The rate of the message now going out; 0 when empty.
    int currentRate() const { return messages_.empty() ? 0 : messages_.front().rate; }
    // Up to `count` bytes, all from the message now going out.
    std::string take(std::size_t count);

private:
    std::deque<OutgoingMessage> messages_;
    std::size_t sentOfFront_ = 0; // bytes of the front message already taken
    std::size_t nextInsert_ = 0;  // where pushNext puts the next reply, so replies keep their order
};

} // namespace norvane::sim
