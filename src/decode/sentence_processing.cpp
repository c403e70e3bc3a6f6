#include "decode/sentence_processing.h"

#include "decode/checksum.h"
#include "decode/identification.h"
#include "decode/nmea_decoders.h"
#include "decode/text_helpers.h"

#include <string_view>

namespace norvane {

namespace {

// Sentence types by their position in this key.
constexpr std::string_view kSentenceTypes = "GGAGSAGSVRMC";
enum SentenceType { kGga = 1, kGsa = 4, kGsv = 7, kRmc = 10 };

void decodeAndShow(Receiver& receiver, ReceiveSink& sink)
{
    ReceiverState& state = receiver.state;
    const std::string& text = receiver.sentenceText;
    switch (position(kSentenceTypes, substring(text, 4, 3))) {
    case kGga:
        decodeGga(state, text);
        sink.showPosition();
        sink.showAltitude();
        sink.showTime();
        break;
    case kGsa:
        decodeGsa(state, text);
        sink.updateSnrChart();
        sink.drawSkyPlot();
        break;
    case kGsv:
        decodeGsv(state, text);
        // Only the last message of a group completes the table the displays draw.
        if (state.gsv_number == state.gsv_count) {
            sink.updateSnrChart();
            sink.drawSkyPlot();
        }
        break;
    case kRmc:
        decodeRmc(state, text);
        sink.showDate();
        sink.showFixMode();
        sink.showPdop();
        sink.showSpeed();
        sink.showTime();
        sink.showAltitude();
        if (sink.viewPointVisible())
            sink.plotViewPoint();
        break;
    }
}

} // namespace

void removeLineBreakPairs(std::string& text)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        text[kept++] = text[i];
    }
    text.resize(kept);
}

void processSentence(Receiver& receiver, ReceiveSink& sink)
{
    removeLineBreakPairs(receiver.sentenceText);
    sink.memoAddSentence(receiver.sentenceText);
    receiver.sentenceText += '\n';
    sink.appendRawLog("");

    if (verifyChecksum(receiver.sentenceText)) {
        decodeAndShow(receiver, sink);
        sink.sentenceDecoded(substring(receiver.sentenceText, 4, 3), receiver.sentenceText);
        checkVersionReply(receiver.sentenceText, "%", sink);
    } else {
        handleBannerLine(receiver.sentenceText, receiver.identification, sink);
    }
}

} // namespace norvane
