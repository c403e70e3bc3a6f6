#include "replay/recording_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace norvane {

namespace fs = std::filesystem;

RecordingFile::RecordingFile(std::size_t chunkBytes) : chunkBytes_(chunkBytes == 0 ? 1 : chunkBytes) {}

bool RecordingFile::fail(const std::string& why)
{
    error_ = "Cannot replay \"" + path_ + "\": " + why;
    file_.close();
    return false;
}

bool RecordingFile::open(const std::string& path)
{
    file_.close();
    path_ = path;
    offset_ = 0;
    size_ = 0;
    error_.clear();
    std::error_code problem;
    const fs::file_status status = fs::status(path, problem);
    if (status.type() == fs::file_type::not_found || path.empty())
        return fail("there is no such file.");
    if (status.type() == fs::file_type::directory)
        return fail("it is a folder, not a recording.");
    errno = 0;
    file_.open(path, std::ios::binary);
    if (!file_.is_open()) {
        const int code = errno;
        return fail(std::string("it cannot be opened") +
                    (code ? std::string(" (") + std::strerror(code) + ")" : "") + ".");
    }
    // A device or a pipe has no size; it is read to its end like any file.
    const std::uintmax_t size = fs::file_size(path, problem);
    size_ = problem ? 0 : static_cast<std::uint64_t>(size);
    if (!problem && size_ == 0)
        return fail("the file is empty.");
    return true;
}

bool RecordingFile::read(std::string& chunk)
{
    chunk.clear();
    if (!file_.is_open() || !stillThere())
        return false;
    chunk.resize(chunkBytes_);
    file_.read(chunk.data(), static_cast<std::streamsize>(chunkBytes_));
    chunk.resize(static_cast<std::size_t>(file_.gcount()));
    offset_ += chunk.size();
    if (file_.bad())
        return fail("it could not be read to its end.");
    if (chunk.empty()) {
        file_.clear(std::ios::eofbit);
        return false;
    }
    return true;
}

// An open file stays readable after it was deleted; the replay of a recording the user has taken
// away ends rather than plays on from the copy the system still holds.
bool RecordingFile::stillThere()
{
    if (!file_.is_open())
        return error_.empty();
    std::error_code problem;
    if (!fs::exists(path_, problem))
        return fail("the file was deleted while it was being replayed.");
    return true;
}

bool RecordingFile::seek(std::uint64_t offset)
{
    if (!file_.is_open())
        return false;
    if (size_ > 0 && offset > size_)
        offset = size_;
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    if (!file_)
        return fail("it could not be read at the chosen point.");
    offset_ = offset;
    return true;
}

} // namespace norvane
