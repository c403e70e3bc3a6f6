#pragma once

#include "decode/receive_sink.h"
#include "decode/receiver_state.h"
#include "serial/serial_link.h"

#include <cstddef>
#include <cstdint>

namespace norvane {

// A sentence text that never meets a '$' (a line heard at the wrong rate, a stuck sender) stops
// growing here; the bytes beyond are dropped until the next '$' starts a new sentence.
constexpr std::size_t kSentenceTextCap = 4096;

// The work of one Timer1 tick, without the timer switching: the window disables Timer1, calls
// tick() and enables Timer1 again.
class ReceiveLoop {
public:
    ReceiveLoop(SerialLink& link, Receiver& receiver, ReceiveBuffer& buffer, ReceiveSink& sink);

    // Clears the buffer, reads what the port holds, processes it, then runs the TTFF step, the
    // restart test's tick step and the no-data report. Returns the number of bytes read.
    int tick();
    // The same tick on bytes that came from elsewhere (a recording) instead of the port.
    void tickOn(const std::uint8_t* bytes, int count);

    // Cuts bytes into sentence texts at each '$' and processes every completed sentence.
    void processBytes(const std::uint8_t* bytes, int count);

private:
    void endOfTick(int bytesRead);

    SerialLink& link_;
    Receiver& receiver_;
    ReceiveBuffer& buffer_;
    ReceiveSink& sink_;
};

} // namespace norvane
