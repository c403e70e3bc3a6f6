#pragma once

#include "decode/receive_sink.h"
#include "decode/receiver_state.h"

#include <string>

namespace norvane {

// Handles the sentence text the receiver holds, at the '$' that ends it: shows it in Memo1,
// gives it its line feed and the raw log, then decodes it when its checksum holds and hands it
// to the identification handling either way.
void processSentence(Receiver& receiver, ReceiveSink& sink);

// Every CR LF pair removed in one pass from the left; a lone CR or LF stays.
void removeLineBreakPairs(std::string& text);

} // namespace norvane
