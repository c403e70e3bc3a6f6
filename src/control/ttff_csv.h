#pragma once

#include "control/ttff_record.h"

#include <cstdint>
#include <fstream>
#include <string>

namespace norvane {

// "norvane-ttff-YYYYMMDD-hhmmss.csv" for a run started at utcMs, in local time like the
// user's own clock.
std::string ttffCsvName(std::int64_t utcMs);

// The CSV of one run: the header when it is created, then one row per finished cycle, each
// flushed at once so that an interrupted run keeps every cycle it measured.
class TtffCsvFile {
public:
    // An existing file of the generated name is never overwritten: "-2", "-3" ... go before
    // ".csv" instead (two runs in the same second). A path given by the user is used as it is.
    bool createNamed(std::int64_t utcMs, std::string& error);
    bool createAt(const std::string& path, std::string& error);
    bool append(const TtffRecord& record, std::string& error);
    // Removes the file when it holds no cycle yet; a run that could not start leaves nothing.
    void removeIfEmpty();
    void close();

    bool isOpen() const { return file_.is_open(); }
    const std::string& path() const { return path_; }
    int rows() const { return rows_; }

private:
    bool writeLine(const std::string& line, std::string& error);

    std::ofstream file_;
    std::string path_;
    int rows_ = 0;
    bool created_ = false; // by this object, so that removing it never takes a file of the user's
};

} // namespace norvane
