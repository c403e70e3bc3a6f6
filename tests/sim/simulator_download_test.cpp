// The receiver's download mode reached through the line, as the upgrade drives it.
#include "sentence_text.h"
#include "sim/simulator.h"
#include "slave_port.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace norvane::sim {
namespace {

using namespace std::chrono_literals;
using testing::contains;
using testing::containsDollarG;
using testing::eventually;
using testing::SlavePort;

// An S-record line with its count and checksum, without line end.
std::string sRecord(char type, const std::vector<int>& addressAndData)
{
    int count = static_cast<int>(addressAndData.size()) + 1;
    int sum = count;
    char text[8];
    std::snprintf(text, sizeof text, "S%c%02X", type, count);
    std::string line = text;
    for (int byte : addressAndData) {
        std::snprintf(text, sizeof text, "%02X", byte);
        line += text;
        sum += byte;
    }
    std::snprintf(text, sizeof text, "%02X", 0xFF - (sum & 0xFF));
    return line + text;
}

// As the upgrade writes a loader row: the line, its line feed and a zero byte.
std::string loaderRows()
{
    std::string rows;
    for (const std::string& line :
         {sRecord('0', {0, 0, 'N', 'V'}), sRecord('1', {0x10, 0x00, 1, 2, 3, 4}), sRecord('9', {0, 0})})
        rows += line + '\n' + '\0';
    return rows;
}

std::string header(std::size_t size, int sum)
{
    char text[48] = {};
    std::snprintf(text, sizeof text, "BINSIZE = %zu Checksum = %d Loopnumber = %d ", size, sum, 1);
    return std::string(text, 47);
}

struct Download : ::testing::Test {
    SimulatorOptions options;
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<SlavePort> port;
    std::string image;

    void SetUp() override
    {
        std::mt19937 random(4);
        for (int i = 0; i < 8192 + 1000; ++i)
            image += static_cast<char>(random() & 0xFF);
    }

    void begin()
    {
        simulator = std::make_unique<Simulator>(options);
        ASSERT_TRUE(simulator->start());
        port = std::make_unique<SlavePort>(simulator->devicePath());
        switchTo(9600);
        port->readUntil(contains("$G"));
    }

    void switchTo(int rate)
    {
        ASSERT_TRUE(port->setRate(rate));
        ASSERT_TRUE(eventually([&] { return simulator->lineRate() == rate; }));
        port->discardInput();
    }

    // Request and loader at 9600; returns what the receiver said meanwhile.
    std::string sendLoader()
    {
        EXPECT_TRUE(port->write(std::string("$LOADER DOWNLOAD") + '\0'));
        std::string said = port->readUntil(contains("OK"));
        EXPECT_TRUE(port->write(loaderRows()));
        return said + port->readUntil(contains("END"));
    }

    int imageSum() const
    {
        int sum = 0;
        for (unsigned char byte : image)
            sum = (sum + byte) & 0xFF;
        return sum;
    }
};

TEST_F(Download, LoaderAndImageGoThroughAndTheStreamComesBack)
{
    options.speed = 4;
    begin();
    std::string loader = sendLoader();
    auto ok = loader.find("OK");
    ASSERT_NE(ok, std::string::npos);
    ASSERT_NE(loader.find("END", ok), std::string::npos);
    EXPECT_FALSE(containsDollarG(loader.substr(ok))) << "no sentences in download mode";
    EXPECT_TRUE(simulator->downloadActive());

    switchTo(115200);
    ASSERT_TRUE(port->write(header(image.size(), imageSum())));
    EXPECT_NE(port->readUntil(contains("OK")).find("OK"), std::string::npos);
    ASSERT_TRUE(port->write(image.substr(0, 8192)));
    EXPECT_NE(port->readUntil(contains("OK")).find("OK"), std::string::npos);
    ASSERT_TRUE(port->write(image.substr(8192)));
    EXPECT_NE(port->readUntil(contains("END")).find("END"), std::string::npos);

    auto received = simulator->receivedImage();
    EXPECT_EQ(std::string(received.begin(), received.end()), image);
    EXPECT_TRUE(simulator->downloadFinished());
    EXPECT_FALSE(simulator->downloadActive());

    switchTo(9600);
    EXPECT_NE(port->readUntil(contains("$GPGGA,")).find("$GPGGA,"), std::string::npos);
}

TEST_F(Download, ImageBytesAtTheOldRateAreNoiseAndErrAtEndIsReported)
{
    options.speed = 4;
    options.pacing = false;
    options.download.errAtEnd = true;
    begin();
    ASSERT_NE(sendLoader().find("END"), std::string::npos);
    // Still at 9600: the loader listens at 115200 only. Any answer would go out as soon as the
    // header is taken; a second of the receiver's time later there is still none.
    auto taken = simulator->counters().bytesTaken;
    ASSERT_TRUE(port->write(header(image.size(), imageSum())));
    ASSERT_TRUE(eventually([&] { return simulator->counters().bytesTaken == taken + 47; }));
    double heard = simulator->counters().simSeconds;
    ASSERT_TRUE(eventually([&] { return simulator->counters().simSeconds > heard + 1; }));
    std::string silence;
    port->readNow(silence);
    EXPECT_EQ(silence.find("OK"), std::string::npos);
    switchTo(115200);
    ASSERT_TRUE(port->write(header(image.size(), imageSum())));
    EXPECT_NE(port->readUntil(contains("OK")).find("OK"), std::string::npos);
    ASSERT_TRUE(port->write(image.substr(0, 8192)));
    port->readUntil(contains("OK"));
    ASSERT_TRUE(port->write(image.substr(8192)));
    EXPECT_NE(port->readUntil(contains("Err")).find("Err"), std::string::npos);
    EXPECT_FALSE(simulator->downloadFinished());
}

} // namespace
} // namespace norvane::sim
