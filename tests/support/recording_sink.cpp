#include "support/recording_sink.h"

#include <algorithm>

namespace norvane::test {

void RecordingSink::memoClear()
{
    memo.clear();
    ++memoClears;
    calls.push_back("memoClear");
}

void RecordingSink::memoAddLine(const std::string& line)
{
    memo.push_back(line);
}

void RecordingSink::appendRawLog(const std::string& text)
{
    if (text.empty() && receiver_ != nullptr)
        rawLog.push_back(receiver_->sentenceText);
    else
        rawLog.push_back(text);
}

void RecordingSink::setTtffText(const std::string& text)
{
    ttff = text;
    ttffWrites.push_back(text);
}

std::string RecordingSink::versionText(int index)
{
    return index >= 1 && index <= 3 ? versions[index - 1] : std::string();
}

void RecordingSink::setVersionText(int index, const std::string& text)
{
    if (index >= 1 && index <= 3)
        versions[index - 1] = text;
    versionWrites.push_back(std::to_string(index) + ":" + text);
}

int RecordingSink::count(const std::string& name) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

} // namespace norvane::test
