#include "log/raw_log.h"
#include "support/permission_checks.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace norvane {
namespace {

namespace fs = std::filesystem;

class RawLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("norvane_raw_log_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        path_ = (dir_ / "gpslog.txt").string();
    }
    void TearDown() override
    {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }
    std::string contents() const
    {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(RawLogTest, EveryLineFeedIsStoredAsCrLfAndNothingIsAdded)
{
    RawLog log;
    ASSERT_TRUE(log.open(path_));
    log.write("$GPGGA,1*00\n");
    log.write("$GPRMC,2");
    log.write("*11\n");
    log.write("01.flashscrc Open OK\n");
    log.write(std::string("a\0b\n", 4));
    log.close();
    const char expected[] = "$GPGGA,1*00\r\n$GPRMC,2*11\r\n01.flashscrc Open OK\r\na\0b\r\n";
    EXPECT_EQ(contents(), std::string(expected, sizeof expected - 1));
}

TEST_F(RawLogTest, OpeningAgainKeepsAnEarlierLogUnderTheLocalTimeOfItsLastChange)
{
    std::tm changed{};
    changed.tm_year = 2026 - 1900;
    changed.tm_mon = 4;
    changed.tm_mday = 4;
    changed.tm_hour = 13;
    changed.tm_min = 2;
    changed.tm_sec = 1;
    changed.tm_isdst = -1;
    const auto changedAt =
        std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&changed)));
    const struct {
        std::vector<std::string> taken; // names already in the directory
        std::string earlier;            // the log before opening again
        std::string keptAs;             // empty: nothing is kept
    } cases[] = {
        {{}, "old\r\n", "gpslog-20260504-130201.txt"},
        {{"gpslog-20260504-130201.txt", "gpslog-20260504-130201-2.txt"},
         "old\r\n",
         "gpslog-20260504-130201-3.txt"},
        {{}, "", ""},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (const std::string& taken : c.taken)
            std::ofstream(dir_ / taken) << "taken";
        std::ofstream(path_, std::ios::binary) << c.earlier;
        fs::last_write_time(path_, changedAt);
        RawLog log;
        ASSERT_TRUE(log.open(path_));
        log.write("new\n");
        log.close();
        EXPECT_EQ(contents(), "new\r\n");
        const auto files = std::distance(fs::directory_iterator(dir_), fs::directory_iterator());
        EXPECT_EQ(files, static_cast<long>(1 + c.taken.size() + (c.keptAs.empty() ? 0 : 1))) << c.keptAs;
        if (!c.keptAs.empty()) {
            std::ifstream kept(dir_ / c.keptAs, std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), c.earlier);
        }
    }
}

TEST_F(RawLogTest, ALogThatCannotBeKeptIsNeitherOpenedNorEmptied)
{
    std::ofstream(path_, std::ios::binary) << "old\r\n";
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    PermissionChecksOn checks;
    RawLog log;
    EXPECT_FALSE(log.open(path_));
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(contents(), "old\r\n");
}

TEST_F(RawLogTest, ClosedLogWritesNothingAndClosingTwiceIsHarmless)
{
    RawLog log;
    EXPECT_FALSE(log.isOpen());
    log.write("lost\n");
    log.close();
    ASSERT_TRUE(log.open(path_));
    EXPECT_TRUE(log.isOpen());
    log.close();
    log.close();
    EXPECT_FALSE(log.isOpen());
    log.write("lost\n");
    EXPECT_EQ(contents(), "");
}

TEST_F(RawLogTest, TextReachesTheFileWhenTheLogGoesAway)
{
    {
        RawLog log;
        ASSERT_TRUE(log.open(path_));
        log.write("$GPGSA\n");
    }
    EXPECT_EQ(contents(), "$GPGSA\r\n");
}

TEST_F(RawLogTest, ReadOnlyDirectoryFailsToOpen)
{
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    PermissionChecksOn checks;
    if (std::FILE* probe = std::fopen((dir_ / "probe").string().c_str(), "w")) {
        std::fclose(probe);
        GTEST_SKIP() << "this user may write into read-only directories";
    }
    RawLog log;
    EXPECT_FALSE(log.open(path_));
    EXPECT_FALSE(log.isOpen());
}

TEST_F(RawLogTest, NameTakenByADirectoryFailsToOpen)
{
    fs::create_directory(path_);
    RawLog log;
    EXPECT_FALSE(log.open(path_));
    EXPECT_FALSE(log.isOpen());
}

TEST_F(RawLogTest, MissingDirectoryFailsToOpen)
{
    RawLog log;
    EXPECT_FALSE(log.open((dir_ / "missing" / "gpslog.txt").string()));
    EXPECT_FALSE(log.isOpen());
}

} // namespace
} // namespace norvane
