#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace norvane {

// "<prefix>-YYYYMMDD-hhmmss<suffix>.csv" for a run started at utcMs, in local time like the
// user's own clock: "norvane-ttff-20261209-064400.csv", "norvane-survey-20261209-064400-COM5.csv".
std::string runCsvName(const std::string& prefix, std::int64_t utcMs, const std::string& suffix = {});

// The CSV of one measuring run: its header when it is created, then one row at a time, each
// flushed at once so that an interrupted run keeps every row it wrote.
class CsvFile {
public:
    // An existing file of the generated name is never overwritten: "-2", "-3" ... go before
    // ".csv" instead (two runs in the same second). A path given by the user is used as it is.
    bool createNamed(const std::string& prefix, std::int64_t utcMs, const std::string& suffix,
                     const std::string& header, std::string& error);
    bool createAt(const std::string& path, const std::string& header, std::string& error);
    bool append(const std::string& row, std::string& error);
    // A file written from a recording as fast as it can be read is written in large pieces:
    // there is no one watching it grow, and a write per row would cost more than the rest.
    void setFlushEachRow(bool flush) { flushEachRow_ = flush; }
    // Removes the file when it holds no row yet; a run that could not start leaves nothing.
    void removeIfEmpty();
    void close();
    // Flushes what is still buffered and closes; false, with the reason, when that failed.
    bool closeWritten(std::string& error);

    bool isOpen() const { return file_.is_open(); }
    const std::string& path() const { return path_; }
    int rows() const { return rows_; }

private:
    bool writeLine(const std::string& line, std::string& error);
    bool writePending(std::string& error);

    std::ofstream file_;
    std::string pending_; // rows not yet handed to the file
    std::string path_;
    int rows_ = 0;
    bool flushEachRow_ = true;
    bool created_ = false; // by this object, so that removing it never takes a file of the user's
};

} // namespace norvane
