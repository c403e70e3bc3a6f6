#pragma once

#include "decode/receiver_state.h"

#include <string_view>

namespace norvane {

// Each decoder writes the fields its sentence carries into the receiver state, exactly as the
// sentence carries them. They take the sentence text as the receive loop holds it ('$' first, a
// line feed last).
void decodeGga(ReceiverState& state, std::string_view sentence);
void decodeGsa(ReceiverState& state, std::string_view sentence);
void decodeGsv(ReceiverState& state, std::string_view sentence);
void decodeRmc(ReceiverState& state, std::string_view sentence);

// hhmmss or hhmmss.sss into utc_hour, utc_minute and utc_second; the fraction is dropped.
void setTimeOfDay(ReceiverState& state, std::string_view text);
// ddmmyy into date_day, date_month and date_year.
void setDate(ReceiverState& state, std::string_view text);

} // namespace norvane
