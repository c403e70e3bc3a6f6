#include "log/csv_file.h"

#include "log/file_naming.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace norvane {

std::string runCsvName(const std::string& prefix, std::int64_t utcMs, const std::string& suffix)
{
    const std::string stamp = localTimeStamp(static_cast<std::time_t>(utcMs / 1000));
    return prefix + (stamp.empty() ? "" : "-" + stamp) + suffix + ".csv";
}

namespace {

// What a file written in large pieces gathers before it is written: few writes, and little
// enough to stay in the processor's cache.
constexpr std::size_t kPendingBytes = 128 * 1024;

std::string failure(const std::string& what, const std::string& path)
{
    const int code = errno;
    return "cannot " + what + " " + path + (code ? std::string(": ") + std::strerror(code) : std::string());
}

} // namespace

bool CsvFile::createNamed(const std::string& prefix, std::int64_t utcMs, const std::string& suffix,
                          const std::string& header, std::string& error)
{
    const std::string name = runCsvName(prefix, utcMs, suffix);
    return createAt(freePath(name.substr(0, name.size() - 4), ".csv"), header, error);
}

bool CsvFile::createAt(const std::string& path, const std::string& header, std::string& error)
{
    close();
    path_ = path;
    rows_ = 0;
    created_ = false;
    errno = 0;
    if (!flushEachRow_)
        pending_.reserve(kPendingBytes + header.size() + 1);
    file_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file_.is_open()) {
        error = failure("create", path);
        return false;
    }
    created_ = true;
    return writeLine(header, error);
}

bool CsvFile::append(const std::string& row, std::string& error)
{
    if (!file_.is_open()) {
        error = "no CSV file is open";
        return false;
    }
    if (!writeLine(row, error))
        return false;
    ++rows_;
    return true;
}

bool CsvFile::writeLine(const std::string& line, std::string& error)
{
    pending_ += line;
    pending_ += '\n';
    if (!flushEachRow_ && pending_.size() < kPendingBytes)
        return true;
    return writePending(error);
}

bool CsvFile::writePending(std::string& error)
{
    errno = 0;
    file_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
    file_.flush();
    if (file_.good())
        return true;
    error = failure("write to", path_);
    file_.clear();
    return false;
}

void CsvFile::removeIfEmpty()
{
    if (!created_ || rows_ > 0)
        return;
    close();
    created_ = false;
    // A device given as the file (a user's --csv /dev/null, say) is never removed.
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path_, ignored))
        std::filesystem::remove(path_, ignored);
}

bool CsvFile::closeWritten(std::string& error)
{
    if (!file_.is_open())
        return true;
    const bool written = writePending(error);
    file_.close();
    return written;
}

void CsvFile::close()
{
    if (!file_.is_open())
        return;
    std::string ignored;
    writePending(ignored);
    file_.close();
}

} // namespace norvane
