// The download sequence, one Timer2 tick at a time, fed whatever the receiver might answer between
// ticks: nothing, noise, the right reply at the wrong time, "OK", "END" and "Err" cut across reads.
//
// Input: loader line count (one byte), image size (two bytes, scaled to the whole image range),
// then one reply per tick: a length byte and that many bytes. A zero length is a silent tick.
// When the input runs out, the receiver falls silent and the sequence must give up on its own.

#include "fuzz_input.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "upgrade/download_tick.h"
#include "upgrade/loader_file.h"
#include "upgrade/recording_upgrade_host.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace norvane::fuzz {
namespace {

constexpr std::string_view kStates = "yxfecbkpd";

void loadLoader(LoaderLines& loader, int lineCount)
{
    std::string text;
    for (int i = 0; i < lineCount; ++i)
        text += "S1130" + std::to_string(1000 + i) + "000102030405060708090A0B0C0D0E0F1F\r\n";
    LoaderLineSplitter splitter(loader);
    splitter.push(text.data(), text.size());
    FUZZ_CHECK(splitter.finish().result == LoaderFileResult::Loaded);
    loader.fileSize = static_cast<int>(text.size());
}

// Image bytes that differ from slot to slot, so a block sent from the wrong place shows.
void loadImage(FirmwareImage& image, std::size_t size)
{
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        image.bytes[i] = static_cast<std::uint8_t>((i * 31 + i / kImageSlotSize * 7) & 0xFF);
        sum = static_cast<std::uint8_t>(sum + image.bytes[i]);
    }
    image.size = static_cast<int>(size);
    image.checksum = sum;
}

} // namespace
} // namespace norvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace norvane;
    using namespace norvane::fuzz;
    using upgradetest::RecordingUpgradeHost;

    FuzzInput input(data, size);
    const int lineCount = 1 + input.byte() % kLoaderRows;
    const std::size_t imageSize = 1 + input.word() * (kImageCapacity - 1) / 0xFFFF;

    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    FUZZ_CHECK(fake.link.openLink("COM3", "9600"));
    ReceiveBuffer buffer{};
    std::string sentenceText;
    RecordingUpgradeHost host;
    auto session = std::make_unique<UpgradeSession>();
    loadLoader(session->loader, lineCount);
    loadImage(session->image, imageSize);
    // As the Upgrade button leaves things: both files loaded, the receive loop off, Timer2 on.
    session->state = kStateSendRequest;
    host.receiveLoopOn = false;
    host.upgradeButtonOn = false;
    host.downloadTimerOn = true;
    UpgradeContext context{*session, fake.link, buffer, sentenceText, host};

    std::size_t imageSent = 0;
    int loaderSent = 0;
    // Replies the sequence has not read pile up in the port, so "END" may come in pieces.
    std::string allReplies;
    int silentTicks = 0;
    while (host.downloadTimerOn) {
        const char before = session->state;
        FUZZ_CHECK(kStates.find(before) != std::string_view::npos);
        const std::string_view reply = input.take(input.byte());
        allReplies += reply;
        fake.port->pushIncoming(reply);
        fake.port->writes.clear();
        downloadTick(context);

        // Loader lines go out whole, in file order, each with its line feed and zero byte.
        if (before == kStateSendLoader) {
            for (const auto& line : fake.port->writes) {
                FUZZ_CHECK(loaderSent < session->loader.count);
                const auto& row = session->loader.rows[static_cast<std::size_t>(loaderSent++)];
                const std::size_t length = std::strlen(row.data()) + 1;
                FUZZ_CHECK(line.size() == length && std::memcmp(line.data(), row.data(), length) == 0);
                FUZZ_CHECK(line[length - 2] == '\n');
            }
        }
        // Image bytes go out only as blocks, in order, each from where the last one ended.
        if (before == kStateSendBlock) {
            FUZZ_CHECK(fake.port->writes.size() == 1);
            const auto& block = fake.port->writes.front();
            FUZZ_CHECK(block.size() >= 1 && block.size() <= kImageSlotSize);
            FUZZ_CHECK(imageSent + block.size() <= imageSize);
            FUZZ_CHECK(std::memcmp(block.data(), session->image.bytes.data() + imageSent, block.size()) == 0);
            imageSent += block.size();
        }
        // A silent receiver is given up on within a bounded number of ticks, never waited for.
        silentTicks = input.empty() ? silentTicks + 1 : 0;
        FUZZ_CHECK(silentTicks < 2000);
    }

    const bool finished = !host.memo.empty() && host.memo.back() == "Change baudrate......";
    if (finished) {
        // Success needs every image byte sent and the receiver's own "END".
        FUZZ_CHECK(imageSent == imageSize && loaderSent == lineCount);
        FUZZ_CHECK(allReplies.find("END") != std::string::npos);
        FUZZ_CHECK(host.receiveLoopOn && session->state == kStateSendRequest && host.boxes.empty());
        FUZZ_CHECK(fake.port->lastRate == 9600);
    } else {
        FUZZ_CHECK(host.boxes.size() == 1 && session->state == kStateStopped);
    }
    return 0;
}
