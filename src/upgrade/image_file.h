#pragma once

#include "upgrade/upgrade_session.h"

#include <string>

namespace norvane {

enum class ImageFileResult {
    Loaded,
    Missing, // cannot be opened
    Empty,
    TooLarge, // more than kImageCapacity bytes
};

// Reads "prom.bin" at path into consecutive 8192-byte slots, setting the image's size and
// checksum; bytesRead counts what the read delivered. A refused file leaves the image as it was.
ImageFileResult loadImageFile(const std::string& path, FirmwareImage& image, int& bytesRead);

} // namespace norvane
