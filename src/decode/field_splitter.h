#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace norvane {

enum class FieldAction { Continue, Stop };

// Hands the fields after the address field to `onField`, numbered from 0, each with its text.
// A field ends at ',' or '*'; after '*' nothing more is read, and the sentence's last character
// (the line feed the receive loop appends) is never examined, so a field that runs into it is
// never handed over. `onField` returning Stop ends the split at once.
void forEachField(std::string_view sentence,
                  const std::function<FieldAction(int field, const std::string& text)>& onField);

} // namespace norvane
