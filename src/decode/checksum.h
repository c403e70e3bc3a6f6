#pragma once

#include <string_view>

namespace norvane {

// The NMEA test: the XOR of the characters between '$' and '*' against the two hexadecimal
// digits after '*'. The text's last character (the line feed the receive loop appends) is never
// taken as part of the sentence, and anything after the two digits plays no part.
bool verifyChecksum(std::string_view sentence);

} // namespace norvane
