#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace norvane {

// A recording on disk read a chunk at a time, so that a file of any size costs one chunk of
// memory. Every failure leaves a message that names the file and says why.
class RecordingFile {
public:
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    explicit RecordingFile(std::size_t chunkBytes = kChunkBytes);

    // False, with error(), for a missing file, a folder, a file that cannot be opened or an
    // empty one.
    bool open(const std::string& path);
    // The next chunk into `chunk` (replaced); false at the end of the file or on a failure,
    // which error() then tells. A file deleted since it was opened counts as a failure.
    bool read(std::string& chunk);
    // Reading goes on from `offset` (kept within the file).
    bool seek(std::uint64_t offset);
    // False, with error(), once the file is gone from its place.
    bool stillThere();

    const std::string& path() const { return path_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t offset() const { return offset_; }
    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& why);

    std::size_t chunkBytes_;
    std::ifstream file_;
    std::string path_;
    std::uint64_t size_ = 0;
    std::uint64_t offset_ = 0;
    std::string error_;
};

} // namespace norvane
