// The receiver's download mode reached through the line, as the upgrade drives it.
#include "sentence_text.h"
#include "sim/simulator.h"
#include "slave_port.h"
#include "upgrade/firmware_samples.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace norvane::sim {
namespace {

using namespace std::chrono_literals;
using testing::contains;
using testing::containsDollarG;
using testing::eventually;
using testing::SlavePort;

// As the upgrade writes a loader row: the line, its line feed and a zero byte.
std::string loaderRows()
{
    std::string rows;
    for (const std::string& line : upgradetest::loaderRecords(3))
        rows += line + '\n' + '\0';
    return rows;
}

struct Download : ::testing::Test {
    SimulatorOptions options;
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<SlavePort> port;
    const std::vector<std::uint8_t> imageBytes = upgradetest::imageBytes(8192 + 1000);
    const std::string image{imageBytes.begin(), imageBytes.end()};
    const std::string header = upgradetest::sampleImageHeader(image.size(), upgradetest::byteSum(imageBytes));

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
    ASSERT_TRUE(port->write(header));
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
    ASSERT_TRUE(port->write(header));
    ASSERT_TRUE(eventually([&] { return simulator->counters().bytesTaken == taken + 47; }));
    double heard = simulator->counters().simSeconds;
    ASSERT_TRUE(eventually([&] { return simulator->counters().simSeconds > heard + 1; }));
    std::string silence;
    port->readNow(silence);
    EXPECT_EQ(silence.find("OK"), std::string::npos);
    switchTo(115200);
    ASSERT_TRUE(port->write(header));
    EXPECT_NE(port->readUntil(contains("OK")).find("OK"), std::string::npos);
    ASSERT_TRUE(port->write(image.substr(0, 8192)));
    port->readUntil(contains("OK"));
    ASSERT_TRUE(port->write(image.substr(8192)));
    EXPECT_NE(port->readUntil(contains("Err")).find("Err"), std::string::npos);
    EXPECT_FALSE(simulator->downloadFinished());
}

} // namespace
} // namespace norvane::sim
