#include "decode/scan_detection.h"

namespace norvane {

namespace {

bool isLineText(std::uint8_t byte)
{
    return (byte >= 0x20 && byte <= 0x7E) || byte == '\r' || byte == '\n';
}

} // namespace

bool receiverSeen(const std::uint8_t* bytes, int count)
{
    if (count <= 4)
        return false;
    for (int i = 0; i <= count - 3; ++i)
        if (bytes[i] == '$' && bytes[i + 1] == 'G')
            return true;
    return false;
}

ScanHearing judgeHearing(const std::uint8_t* bytes, int count)
{
    if (receiverSeen(bytes, count))
        return ScanHearing::Receiver;
    int from = 0;
    while (from < count && bytes[from] != '$')
        ++from;
    // Before a '$' may lie the rest of a byte the rate switch cut, or a sentence's tail.
    if (from == count)
        from = 0;
    for (int i = from; i < count; ++i)
        if (!isLineText(bytes[i]))
            return ScanHearing::Garbage;
    return ScanHearing::CouldBeOne;
}

} // namespace norvane
