#include "decode/field_splitter.h"

namespace norvane {

namespace {

// 0-based index of the first character after "$GPGGA,".
constexpr std::size_t kFirstFieldIndex = 7;

} // namespace

void forEachField(std::string_view sentence,
                  const std::function<FieldAction(int field, const std::string& text)>& onField)
{
    int field = 0;
    std::string text;
    for (std::size_t p = kFirstFieldIndex; p + 1 < sentence.size(); ++p) {
        const char ch = sentence[p];
        if (ch != ',' && ch != '*') {
            text += ch;
            continue;
        }
        if (onField(field, text) == FieldAction::Stop || ch == '*')
            return;
        ++field;
        text.clear();
    }
}

} // namespace norvane
