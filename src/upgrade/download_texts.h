#pragma once

#include <cstdint>
#include <string>

namespace norvane {

// The command that puts the receiver into its download mode; sent with its zero byte.
inline constexpr char kDownloadRequest[] = "$LOADER DOWNLOAD";
// The image header's field: the text, padded with zero bytes.
constexpr int kImageHeaderLength = 47;
// The repeated header is sent with its terminating zero.
constexpr int kFlashStartHeaderLength = 48;

// "Burning" and the percentage as "%4.0f", then "%".
std::string progressText(double percent);
// While the loader goes out: line index before the line, loader file size.
double loaderPercent(int lineIndex, int loaderFileSize);
// After an image block: bytes sent so far, image size.
double imagePercent(int bytesDone, int imageSize);

// "BINSIZE = %d Checksum = %d Loopnumber = %d " with the loop number 1.
std::string imageHeader(int imageSize, std::uint8_t checksum);
// The repeated form with fixed widths, always 47 characters.
std::string flashStartHeader(int imageSize, std::uint8_t checksum);

} // namespace norvane
