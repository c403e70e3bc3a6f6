#include "upgrade/image_file.h"

#include <cstdio>

namespace norvane {

ImageFileResult loadImageFile(const std::string& path, FirmwareImage& image, int& bytesRead)
{
    // Read access only: a write-protected firmware file is still one the upgrade can send.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return ImageFileResult::Missing;
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size <= 0 || size > static_cast<long>(kImageCapacity)) {
        std::fclose(file);
        return size <= 0 ? ImageFileResult::Empty : ImageFileResult::TooLarge;
    }

    image.size = static_cast<int>(size);
    image.checksum = 0;
    // The slot count bounds the reads even if the file grows after its size was taken.
    for (std::size_t slot = 0; slot < kImageSlots; ++slot) {
        std::uint8_t* start = image.bytes.data() + slot * kImageSlotSize;
        std::size_t got = std::fread(start, 1, kImageSlotSize, file);
        if (got == 0)
            break;
        for (std::size_t i = 0; i < got; ++i)
            image.checksum = static_cast<std::uint8_t>(image.checksum + start[i]);
        bytesRead += static_cast<int>(got);
    }
    std::fclose(file);
    return ImageFileResult::Loaded;
}

} // namespace norvane
