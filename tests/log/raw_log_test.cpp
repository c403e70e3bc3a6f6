#include "log/raw_log.h"
#include "support/permission_checks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(RawLogTest, OpeningAgainEmptiesTheFile)
{
    RawLog log;
    ASSERT_TRUE(log.open(path_));
    log.write("old\n");
    log.close();
    ASSERT_TRUE(log.open(path_));
    log.write("new\n");
    log.close();
    EXPECT_EQ(contents(), "new\r\n");
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
