#include "upgrade/download_texts.h"

#include "text/number_format.h"

namespace norvane {

namespace {

template <class... Args> std::string format(const char* pattern, Args... args)
{
    return formatText(pattern, args...);
}

} // namespace

std::string progressText(double percent)
{
    return "Burning" + format("%4.0f", percent) + "%";
}

// The divisions are integer divisions and the 0.05 is applied as 0.1 then 0.5, so the shown
// percentages round exactly as the receiver's own tool has always shown them.
double loaderPercent(int lineIndex, int loaderFileSize)
{
    return (lineIndex * 45000 / loaderFileSize) * 0.1 * 0.5;
}

double imagePercent(int bytesDone, int imageSize)
{
    return (bytesDone * 1000 / imageSize) * 0.1 * 0.5 + 50;
}

std::string imageHeader(int imageSize, std::uint8_t checksum)
{
    return format("BINSIZE = %d Checksum = %d Loopnumber = %d ", imageSize, checksum, 1);
}

std::string flashStartHeader(int imageSize, std::uint8_t checksum)
{
    return format("BINSIZE = %6d Checksum = %3d FlashStart = %1d ", imageSize, checksum, 0);
}

} // namespace norvane
