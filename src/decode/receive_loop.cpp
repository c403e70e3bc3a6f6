#include "decode/receive_loop.h"

#include "decode/sentence_processing.h"
#include "text/number_text.h"

#include <algorithm>
#include <string>

namespace norvane {

int TtffField::ttffShown()
{
    return textToInteger(ttffText());
}

ReceiveLoop::ReceiveLoop(SerialLink& link, Receiver& receiver, ReceiveBuffer& buffer, ReceiveSink& sink)
    : link_(link), receiver_(receiver), buffer_(buffer), sink_(sink)
{
}

int ReceiveLoop::tick()
{
    buffer_.fill(0);
    const int bytesRead = std::clamp(link_.readAvailable(buffer_, tickReadLimit(link_.lineRate())), 0,
                                     static_cast<int>(buffer_.size()));
    tickOn(buffer_.data(), bytesRead);
    return bytesRead;
}

void ReceiveLoop::tickOn(const std::uint8_t* bytes, int count)
{
    ++receiver_.state.sky.tick;
    processBytes(bytes, count);
    endOfTick(count);
}

void ReceiveLoop::processBytes(const std::uint8_t* bytes, int count)
{
    std::string& text = receiver_.sentenceText;
    for (int i = 0; i < count; ++i) {
        const char ch = static_cast<char>(bytes[i]);
        if (ch == '$') {
            processSentence(receiver_, sink_);
            text.assign(1, '$');
        } else if (text.size() < kSentenceTextCap) {
            text += ch;
        }
    }
}

void ReceiveLoop::endOfTick(int bytesRead)
{
    sink_.setTtffText(std::to_string(sink_.ttffShown()));
    if (receiver_.state.fix_mode != '3') {
        ++receiver_.ttffTicks;
        sink_.setTtffText(std::to_string(receiver_.ttffTicks));
    }
    sink_.restartTestTick(bytesRead);
    if (bytesRead == 0) {
        sink_.memoAddLine("Nmea code loss or Gps is bad");
        sink_.setConnectionButtonsEnabled(false);
    } else {
        sink_.setConnectionButtonsEnabled(true);
    }
}

} // namespace norvane
