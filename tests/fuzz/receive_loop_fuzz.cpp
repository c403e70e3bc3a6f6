// The receive loop fed whatever a line can carry, tick by tick, through the serial link: noise,
// sentences cut anywhere, banners, binary version replies, backlogs over 1000 bytes, silent ticks.
//
// Input: a flags byte, a piece-size byte, then the bytes the receiver sends.
//   flags bit 0: receiver family 2 instead of 1      bit 1: view-point window shown
//   flags bit 2: a silent tick after every piece     bits 3-4: what td_ttff holds at the start
//   flags bit 5: td_vers1 already filled (the version reply must then leave it alone)
// Each tick gets the next 1 + 8 * size bytes, so pieces range from one byte to twice a read.

#include "decode/receive_loop.h"
#include "fuzz_input.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/recording_sink.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace norvane::fuzz {
namespace {

// Memo1 may take at most 501 sentence lines between clears; the no-data line of a silent tick
// does not count until the next sentence (it is never checked for). Every processed sentence
// makes exactly one raw-log append, which is what is counted here.
class MemoWatchingSink : public test::RecordingSink {
public:
    using RecordingSink::RecordingSink;

    void memoClear() override
    {
        RecordingSink::memoClear();
        sentencesSinceClear = 0;
    }
    void appendRawLog(const std::string& text) override
    {
        FUZZ_CHECK(++sentencesSinceClear <= 501);
        RecordingSink::appendRawLog(text);
    }

    int sentencesSinceClear = 0;
};

const char* const kTtffStarts[] = {"", "0", "17", "x9"};

// Where the reads happen to cut the stream must not matter: a sentence split over two ticks
// decodes as if it had come whole.
void expectSameState(const ReceiverState& a, const ReceiverState& b)
{
    const auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    FUZZ_CHECK(same(a.utc_hour, b.utc_hour) && same(a.utc_minute, b.utc_minute) &&
               same(a.utc_second, b.utc_second));
    FUZZ_CHECK(same(a.latitude, b.latitude) && same(a.lat_hemisphere, b.lat_hemisphere));
    FUZZ_CHECK(same(a.longitude, b.longitude) && same(a.lon_hemisphere, b.lon_hemisphere));
    FUZZ_CHECK(same(a.gga_quality, b.gga_quality) && same(a.sats_used, b.sats_used) && same(a.hdop, b.hdop));
    FUZZ_CHECK(same(a.altitude, b.altitude) && same(a.fix_mode, b.fix_mode) && same(a.pdop, b.pdop));
    FUZZ_CHECK(same(a.used_prns, b.used_prns));
    FUZZ_CHECK(same(a.gsv_count, b.gsv_count) && same(a.gsv_number, b.gsv_number) &&
               same(a.sats_in_view, b.sats_in_view));
    FUZZ_CHECK(same(a.sat_prn, b.sat_prn) && same(a.sat_elevation, b.sat_elevation) &&
               same(a.sat_azimuth, b.sat_azimuth) && same(a.sat_snr, b.sat_snr) &&
               same(a.sat_status, b.sat_status));
    FUZZ_CHECK(same(a.rmc_status, b.rmc_status) && same(a.speed_knots, b.speed_knots) &&
               same(a.course, b.course));
    FUZZ_CHECK(same(a.date_year, b.date_year) && same(a.date_month, b.date_month) &&
               same(a.date_day, b.date_day));
    FUZZ_CHECK(same(a.mag_variation, b.mag_variation) && same(a.mag_var_direction, b.mag_var_direction) &&
               same(a.rmc_mode, b.rmc_mode));
}

bool onlyDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char ch : text)
        if (ch < '0' || ch > '9')
            return false;
    return true;
}

} // namespace
} // namespace norvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace norvane;
    using namespace norvane::fuzz;

    FuzzInput input(data, size);
    const std::string_view stream(reinterpret_cast<const char*>(data), size);
    const std::uint8_t flags = input.byte();
    const std::size_t piece = 1 + 8 * std::size_t{input.byte()};

    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    FUZZ_CHECK(fake.link.openLink("COM3", "9600"));
    Receiver receiver;
    receiver.state.receiver_family = (flags & 1) ? kLumoFamily : kVexaFamily;
    ReceiveBuffer buffer{};
    MemoWatchingSink sink(&receiver);
    sink.viewPointShown = (flags & 2) != 0;
    sink.ttff = kTtffStarts[(flags >> 3) & 3];
    if (flags & 32)
        sink.versions[0] = "set by hand";
    ReceiveLoop loop(fake.link, receiver, buffer, sink);

    int ticks = 0;
    const auto tick = [&] {
        const int got = loop.tick();
        ++ticks;
        FUZZ_CHECK(got >= 0 && got <= 1000);
        FUZZ_CHECK(receiver.sentenceText.size() <= kSentenceTextCap);
        // td_ttff is rewritten at the end of every tick as a plain count.
        FUZZ_CHECK(onlyDigits(sink.ttff));
        FUZZ_CHECK(receiver.ttffTicks <= ticks);
        FUZZ_CHECK(sink.buttonsEnabled.back() == (got > 0));
    };

    while (!input.empty()) {
        const std::string_view bytes = input.take(piece);
        fake.port->pushIncoming(bytes);
        tick();
        if (flags & 4)
            tick();
    }

    // The same bytes handed over in one piece, straight to the loop, must leave the same trail.
    if (!(flags & 4) && piece <= 1000) {
        Receiver whole;
        whole.state.receiver_family = receiver.state.receiver_family;
        MemoWatchingSink wholeSink(&whole);
        wholeSink.viewPointShown = sink.viewPointShown;
        if (flags & 32)
            wholeSink.versions[0] = "set by hand";
        ReceiveLoop wholeLoop(fake.link, whole, buffer, wholeSink);
        const std::string_view bytes = stream.substr(std::min<std::size_t>(2, size));
        wholeLoop.processBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                               static_cast<int>(bytes.size()));
        FUZZ_CHECK(whole.sentenceText == receiver.sentenceText);
        FUZZ_CHECK(wholeSink.memo == sink.memo && wholeSink.rawLog == sink.rawLog);
        FUZZ_CHECK(wholeSink.calls == sink.calls);
        FUZZ_CHECK(wholeSink.versionWrites == sink.versionWrites);
        expectSameState(whole.state, receiver.state);
    }
    return 0;
}
