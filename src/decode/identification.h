#pragma once

#include "decode/receive_sink.h"
#include "decode/receiver_state.h"

#include <string_view>

namespace norvane {

// The binary version reply of a Lumo receiver, found by `marker` ("%" for a sentence that passed
// its checksum, "%%" otherwise). Fills td_vers1..3 once: nothing happens while td_vers1 holds a
// text, nor for a reply too short to carry its date and CRC bytes.
void checkVersionReply(std::string_view sentence, std::string_view marker, ReceiveSink& sink);

// A sentence that failed its checksum: a start-up banner line ("$Sky", "$Car", "$UnI", "$Han"
// name lines, the "$Ker" kernel line, the "$ver" version line, the "$PLC" dated version line), or
// else possibly a version reply.
void handleBannerLine(std::string_view sentence, IdentificationTexts& texts, ReceiveSink& sink);

} // namespace norvane
