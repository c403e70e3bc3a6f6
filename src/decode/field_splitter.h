#pragma once

#include <cstddef>
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

namespace fields {
// 0-based index of the first character after "$GPGGA,".
constexpr std::size_t kFirstIndex = 7;
constexpr bool endsField(char ch)
{
    return ch == ',' || ch == '*';
}
} // namespace fields

// The same split, each field's text a view into the sentence rather than a copy: for a reader
// of every epoch of a long recording.
template <class OnField> void forEachFieldView(std::string_view sentence, OnField&& onField)
{
    int field = 0;
    std::size_t start = fields::kFirstIndex;
    for (std::size_t p = fields::kFirstIndex; p + 1 < sentence.size(); ++p) {
        const char ch = sentence[p];
        if (!fields::endsField(ch))
            continue;
        if (onField(field, sentence.substr(start, p - start)) == FieldAction::Stop || ch == '*')
            return;
        ++field;
        start = p + 1;
    }
}

} // namespace norvane
