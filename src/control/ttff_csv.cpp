#include "control/ttff_csv.h"

#include "log/file_naming.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace norvane {

namespace {

std::string ttffCsvStem(std::int64_t utcMs)
{
    const std::string stamp = localTimeStamp(static_cast<std::time_t>(utcMs / 1000));
    return stamp.empty() ? "norvane-ttff" : "norvane-ttff-" + stamp;
}

} // namespace

std::string ttffCsvName(std::int64_t utcMs)
{
    return ttffCsvStem(utcMs) + ".csv";
}

namespace {

std::string failure(const std::string& what, const std::string& path)
{
    const int code = errno;
    return "cannot " + what + " " + path + (code ? std::string(": ") + std::strerror(code) : std::string());
}

} // namespace

bool TtffCsvFile::createNamed(std::int64_t utcMs, std::string& error)
{
    return createAt(freePath(ttffCsvStem(utcMs), ".csv"), error);
}

bool TtffCsvFile::createAt(const std::string& path, std::string& error)
{
    close();
    path_ = path;
    rows_ = 0;
    created_ = false;
    errno = 0;
    file_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file_.is_open()) {
        error = failure("create", path);
        return false;
    }
    created_ = true;
    return writeLine(kTtffCsvHeader, error);
}

bool TtffCsvFile::append(const TtffRecord& record, std::string& error)
{
    if (!file_.is_open()) {
        error = "no CSV file is open";
        return false;
    }
    if (!writeLine(csvRow(record), error))
        return false;
    ++rows_;
    return true;
}

bool TtffCsvFile::writeLine(const std::string& line, std::string& error)
{
    errno = 0;
    file_ << line << '\n';
    file_.flush();
    if (file_.good())
        return true;
    error = failure("write to", path_);
    file_.clear();
    return false;
}

void TtffCsvFile::removeIfEmpty()
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

void TtffCsvFile::close()
{
    if (file_.is_open())
        file_.close();
}

} // namespace norvane
