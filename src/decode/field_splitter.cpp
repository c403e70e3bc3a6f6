#include "decode/field_splitter.h"

namespace norvane {

// The text grows a character at a time as the fields are read: cheaper, for the decoders'
// short fields, than copying each field once its end is found.
void forEachField(std::string_view sentence,
                  const std::function<FieldAction(int field, const std::string& text)>& onField)
{
    int field = 0;
    std::string text;
    for (std::size_t p = fields::kFirstIndex; p + 1 < sentence.size(); ++p) {
        const char ch = sentence[p];
        if (!fields::endsField(ch)) {
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
