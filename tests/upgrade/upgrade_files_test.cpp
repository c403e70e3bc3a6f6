#include "sim/download_responder.h"
#include "support/permission_checks.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/image_file.h"
#include "upgrade/loader_file.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#endif
#include <memory>
#include <numeric>

namespace norvane {
namespace {

using namespace upgradetest;

std::string rowText(const LoaderLines& lines, int row)
{
    const auto& bytes = lines.rows[static_cast<std::size_t>(row)];
    return std::string(bytes.data(), bytes.size());
}

// The row as stored: the line, one line feed, a zero byte, and zeros after it.
std::string expectedRow(const std::string& line)
{
    std::string row = line + "\n";
    row.resize(kLoaderRowSize, '\0');
    return row;
}

LoaderFileLoad split(const std::string& text, LoaderLines& lines)
{
    LoaderLineSplitter splitter(lines);
    splitter.push(text.data(), text.size());
    return splitter.finish();
}

class LoaderFileTest : public ::testing::Test {
protected:
    std::unique_ptr<LoaderLines> lines = std::make_unique<LoaderLines>();
    TempDirectory dir;
};

TEST_F(LoaderFileTest, ThreeRecordsGiveThreeRowsEachWithOneLineFeedAndAZero)
{
    const std::vector<std::string> records{sRecord('0', 0, {'h', 'd', 'r'}),
                                           sRecord('1', 0x100, {1, 2, 3, 4}), sRecord('9', 0x100, {})};
    const std::string text = withCrLf(records);
    writeFile(dir / "flash.srec", text);

    LoaderFileLoad load = loadLoaderFile((dir / "flash.srec").string(), *lines);

    EXPECT_EQ(load.result, LoaderFileResult::Loaded);
    EXPECT_EQ(lines->count, 3);
    EXPECT_EQ(lines->fileSize, static_cast<int>(text.size()));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rowText(*lines, i), expectedRow(records[static_cast<std::size_t>(i)])) << "row " << i;
}

TEST_F(LoaderFileTest, MissingFileIsReportedAsMissing)
{
    EXPECT_EQ(loadLoaderFile((dir / "flash.srec").string(), *lines).result, LoaderFileResult::Missing);
}

TEST_F(LoaderFileTest, LineLengthLimitIsFortyEightCharacters)
{
    const std::string longest(48, 'A');
    EXPECT_EQ(split(withCrLf({"S0", longest}), *lines).result, LoaderFileResult::Loaded);
    EXPECT_EQ(rowText(*lines, 1), expectedRow(longest));

    LoaderFileLoad load = split(withCrLf({"S0", longest, longest + "B"}), *lines);
    EXPECT_EQ(load.result, LoaderFileResult::LineTooLong);
    EXPECT_EQ(load.line, 3);
}

TEST_F(LoaderFileTest, AnOverlongLineIsRefusedWithoutTouchingOtherRows)
{
    LoaderFileLoad load = split("S0\r\n" + std::string(10000, 'A') + "\r\n", *lines);
    EXPECT_EQ(load.result, LoaderFileResult::LineTooLong);
    EXPECT_EQ(load.line, 2);
    EXPECT_EQ(rowText(*lines, 2), std::string(kLoaderRowSize, '\0'));
}

TEST_F(LoaderFileTest, LineCountLimitIsOneHundredFifty)
{
    std::vector<std::string> records(150, "S1");
    EXPECT_EQ(split(withCrLf(records), *lines).result, LoaderFileResult::Loaded);
    EXPECT_EQ(lines->count, 150);

    records.push_back("S9");
    EXPECT_EQ(split(withCrLf(records), *lines).result, LoaderFileResult::TooManyLines);
}

TEST_F(LoaderFileTest, AnythingAfterTheLastRowIsRefusedEvenAnEmptyLine)
{
    std::vector<std::string> records(150, "S1");
    LoaderFileLoad load = split(withCrLf(records) + "\n", *lines);
    EXPECT_EQ(load.result, LoaderFileResult::TooManyLines);
    EXPECT_EQ(lines->count, 150);
}

TEST_F(LoaderFileTest, AZeroByteInsideALineIsRefusedWhereItStands)
{
    LoaderFileLoad load = split(std::string("S0\r\nS1\0"
                                            "03\r\nS9\r\n",
                                            15),
                                *lines);
    EXPECT_EQ(load.result, LoaderFileResult::ZeroByte);
    EXPECT_EQ(load.line, 2);
}

TEST_F(LoaderFileTest, LinesMustEndInCrLfTheLastOneToo)
{
    LoaderFileLoad bareFeed = split("S0\r\nS1\nS9\r\n", *lines);
    EXPECT_EQ(bareFeed.result, LoaderFileResult::NotCrLf);
    EXPECT_EQ(bareFeed.line, 2);

    LoaderFileLoad unended = split("S0\r\nS9", *lines);
    EXPECT_EQ(unended.result, LoaderFileResult::NotCrLf);
    EXPECT_EQ(unended.line, 2);

    EXPECT_EQ(split("S0\r\nS9\r", *lines).result, LoaderFileResult::NotCrLf);
}

TEST_F(LoaderFileTest, EmptyTextIsRefused)
{
    EXPECT_EQ(split("", *lines).result, LoaderFileResult::Empty);
}

TEST_F(LoaderFileTest, TextArrivingByteByByteSplitsTheSame)
{
    const std::string text = withCrLf(loaderRecords(5));
    LoaderLineSplitter splitter(*lines);
    for (char c : text)
        splitter.push(&c, 1);
    ASSERT_EQ(splitter.finish().result, LoaderFileResult::Loaded);

    auto whole = std::make_unique<LoaderLines>();
    split(text, *whole);
    EXPECT_EQ(lines->count, 5);
    EXPECT_EQ(lines->rows, whole->rows);
}

class ImageFileTest : public ::testing::Test {
protected:
    std::unique_ptr<FirmwareImage> image = std::make_unique<FirmwareImage>();
    TempDirectory dir;
    int bytesRead = 0;

    ImageFileResult load(const std::vector<std::uint8_t>& bytes)
    {
        writeFile(dir / "prom.bin", bytes);
        return loadImageFile((dir / "prom.bin").string(), *image, bytesRead);
    }
};

TEST_F(ImageFileTest, TwentyThousandBytesFillSlotsZeroToTwoWithTheirSum)
{
    const auto bytes = imageBytes(20000);
    ASSERT_EQ(load(bytes), ImageFileResult::Loaded);

    EXPECT_EQ(image->size, 20000);
    EXPECT_EQ(bytesRead, 20000);
    EXPECT_EQ(image->checksum, std::accumulate(bytes.begin(), bytes.end(), 0u) % 256);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image->bytes.begin()));
    // Slot 2 holds 3616 bytes; the rest of it and the later slots stay untouched.
    EXPECT_TRUE(std::all_of(image->bytes.begin() + 20000, image->bytes.end(), [](auto b) { return b == 0; }));
}

TEST_F(ImageFileTest, AFullBufferIsAcceptedOneByteMoreIsNot)
{
    const auto full = imageBytes(kImageCapacity);
    ASSERT_EQ(load(full), ImageFileResult::Loaded);
    EXPECT_EQ(image->size, static_cast<int>(kImageCapacity));
    EXPECT_EQ(image->checksum, byteSum(full));
    EXPECT_TRUE(std::equal(full.begin(), full.end(), image->bytes.begin()));

    image = std::make_unique<FirmwareImage>();
    EXPECT_EQ(load(imageBytes(kImageCapacity + 1)), ImageFileResult::TooLarge);
    EXPECT_EQ(image->size, 0);
    EXPECT_TRUE(std::all_of(image->bytes.begin(), image->bytes.end(), [](auto b) { return b == 0; }));
}

#ifndef _WIN32
// The size is what the one read delivered, not what the file claimed beforehand: a pipe claims
// nothing at all, and a file that shrinks after being measured would send stale buffer bytes.
TEST_F(ImageFileTest, TheSizeIsWhatTheReadDelivered)
{
    const auto bytes = imageBytes(20000);
    const std::string path = (dir / "prom.bin").string();
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN); // a reader that stops early must fail the test, not end it
    std::thread writer([&] {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    });
    const ImageFileResult result = loadImageFile(path, *image, bytesRead);
    writer.join();
    ASSERT_EQ(result, ImageFileResult::Loaded);
    EXPECT_EQ(image->size, 20000);
    EXPECT_EQ(image->checksum, byteSum(bytes));
}
#endif

TEST_F(ImageFileTest, EmptyAndMissingFilesAreRefused)
{
    EXPECT_EQ(loadImageFile((dir / "prom.bin").string(), *image, bytesRead), ImageFileResult::Missing);
    EXPECT_EQ(load({}), ImageFileResult::Empty);
}

TEST(FirmwareFilesTest, WriteProtectedFilesAreRead)
{
    TempDirectory dir;
    writeFile(dir / "flash.srec", withCrLf(loaderRecords(3)));
    writeFile(dir / "prom.bin", imageBytes(100));
    for (const char* name : {"flash.srec", "prom.bin"})
        std::filesystem::permissions(dir / name, std::filesystem::perms::owner_read);
    PermissionChecksOn checks;
    if (std::FILE* probe = std::fopen((dir / "prom.bin").string().c_str(), "r+b")) {
        std::fclose(probe);
        GTEST_SKIP() << "this user may write to write-protected files";
    }
    auto lines = std::make_unique<LoaderLines>();
    EXPECT_EQ(loadLoaderFile((dir / "flash.srec").string(), *lines).result, LoaderFileResult::Loaded);
    auto image = std::make_unique<FirmwareImage>();
    int bytesRead = 0;
    EXPECT_EQ(loadImageFile((dir / "prom.bin").string(), *image, bytesRead), ImageFileResult::Loaded);
}

// The sample files the demo places must be ones the upgrade accepts and the receiver takes.
TEST(FirmwareSamplesScriptTest, MakesFilesTheUpgradeAcceptsAndTheLoaderEnds)
{
    TempDirectory dir;
    const std::string script = std::string(NORVANE_TEST_DATA_DIR) + "/../../scripts/make-firmware-samples";
    const std::string command = "python3 " + script + " " + dir.path().string() +
                                " --image-size 20000 --loader-lines 150 >/dev/null 2>&1";
    if (std::system("python3 -c pass >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    ASSERT_EQ(std::system(command.c_str()), 0);

    auto lines = std::make_unique<LoaderLines>();
    ASSERT_EQ(loadLoaderFile((dir / "flash.srec").string(), *lines).result, LoaderFileResult::Loaded);
    EXPECT_EQ(lines->count, 150);
    auto image = std::make_unique<FirmwareImage>();
    int bytesRead = 0;
    ASSERT_EQ(loadImageFile((dir / "prom.bin").string(), *image, bytesRead), ImageFileResult::Loaded);
    EXPECT_EQ(image->size, 20000);
    EXPECT_TRUE(std::equal(image->bytes.begin(), image->bytes.begin() + 20000, imageBytes(20000).begin()));

    sim::DownloadResponder responder;
    const std::string request("$LOADER DOWNLOAD\0", 17);
    ASSERT_EQ(responder.feed(reinterpret_cast<const std::uint8_t*>(request.data()), request.size(), 9600),
              "OK");
    std::string replies;
    for (int i = 0; i < lines->count; ++i) {
        const auto& row = lines->rows[static_cast<std::size_t>(i)];
        const std::size_t length =
            static_cast<std::size_t>(std::find(row.begin(), row.end(), '\0') - row.begin()) + 1;
        replies += responder.feed(reinterpret_cast<const std::uint8_t*>(row.data()), length, 9600);
    }
    EXPECT_EQ(replies, "END");
}

} // namespace
} // namespace norvane
