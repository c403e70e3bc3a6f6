#include "upgrade/image_file.h"

#include <cstdio>
#include <vector>

namespace norvane {

// The file is read once and its size is what that read delivered: a size taken beforehand goes
// stale when the file changes in between, and the buffer past the end of a shorter read would
// be sent as it stood. One byte more than the buffer holds tells a file that is too large.
ImageFileResult loadImageFile(const std::string& path, FirmwareImage& image, int& bytesRead)
{
    // Read access only: a write-protected firmware file is still one the upgrade can send.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return ImageFileResult::Missing;
    std::vector<std::uint8_t> bytes(kImageCapacity + 1);
    const std::size_t size = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (size == 0)
        return ImageFileResult::Empty;
    if (size > kImageCapacity)
        return ImageFileResult::TooLarge;

    image.size = static_cast<int>(size);
    image.checksum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        image.bytes[i] = bytes[i];
        image.checksum = static_cast<std::uint8_t>(image.checksum + bytes[i]);
    }
    bytesRead += static_cast<int>(size);
    return ImageFileResult::Loaded;
}

} // namespace norvane
