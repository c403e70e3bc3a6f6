#include "decode/scan_detection.h"

namespace norvane {

bool receiverSeen(const std::uint8_t* bytes, int count)
{
    if (count <= 4)
        return false;
    for (int i = 0; i <= count - 3; ++i)
        if (bytes[i] == '$' && bytes[i + 1] == 'G')
            return true;
    return false;
}

} // namespace norvane
