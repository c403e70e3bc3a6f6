// The pieces that stand for the physical line: pacing, the output order and the wrong-rate noise.
#include "sim/line_garbler.h"
#include "sim/line_pacer.h"
#include "sim/output_queue.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

// Drives a pacer the way the simulator's thread does, waking every `tick` seconds.
std::size_t bytesCarried(int rate, double seconds, double tick)
{
    LinePacer pacer(0.025);
    std::size_t total = 0;
    for (double now = 0; now <= seconds; now += tick) {
        std::size_t room = pacer.allowance(now, rate);
        pacer.spend(room, now, rate);
        total += room;
    }
    return total;
}

TEST(LinePacer, CarriesTenBitTimesPerByteWhateverTheWakeUps)
{
    for (double tick : {0.0007, 0.003, 0.02}) {
        std::size_t at9600 = bytesCarried(9600, 10.0, tick);
        EXPECT_LE(at9600, 9600u + 24u) << tick;
        EXPECT_GE(at9600, 9600u - 100u) << tick;
        std::size_t at115200 = bytesCarried(115200, 2.0, tick);
        EXPECT_LE(at115200, 23040u + 288u) << tick;
        EXPECT_GE(at115200, 23040u - 1200u) << tick;
    }
}

TEST(LinePacer, AnIdleLineBanksOnlyItsSlackAndTheNextByteTimeIsKnown)
{
    LinePacer pacer(0.01);
    EXPECT_EQ(pacer.allowance(100.0, 9600), 9u); // 10 ms of a 9600 line, not 100 s of it
    pacer.spend(9, 100.0, 9600);
    EXPECT_EQ(pacer.allowance(100.0, 9600), 0u);
    double next = pacer.nextByteAt(100.0, 9600);
    EXPECT_GT(next, 100.0);
    EXPECT_EQ(pacer.allowance(next + 1e-9, 9600), 1u);
}

TEST(OutputQueue, RepliesGoBetweenMessagesInOrderAndNeverInsideOne)
{
    OutputQueue queue;
    queue.push({"$GPGGA\r\n", 9600});
    queue.push({"$GPRMC\r\n", 9600});
    EXPECT_EQ(queue.take(3), "$GP"); // GGA is now in progress
    queue.pushNext({"R1", 9600});
    queue.pushNext({"R2", 9600});
    std::string sent;
    while (!queue.empty())
        sent += queue.take(100);
    EXPECT_EQ(sent, "GGA\r\nR1R2$GPRMC\r\n");
}

TEST(OutputQueue, ReplyOnAnIdleQueueGoesFirstAndDropKeepsOnlyTheMessageInProgress)
{
    OutputQueue queue;
    queue.push({"AAAA", 9600});
    queue.pushNext({"R", 115200});
    EXPECT_EQ(queue.currentRate(), 115200);
    EXPECT_EQ(queue.take(10), "R"); // take never crosses into the next message
    EXPECT_EQ(queue.take(2), "AA");
    queue.push({"BBBB", 9600});
    queue.dropWaiting();
    EXPECT_EQ(queue.pendingBytes(), 2u);
    EXPECT_EQ(queue.take(10), "AA");
    EXPECT_TRUE(queue.empty());
}

TEST(LineGarbler, NoiseNeverHoldsADollarAndIsNotTheInput)
{
    LineGarbler garbler;
    std::string sentences;
    for (int i = 0; i < 200; ++i)
        sentences += "$GPGGA,120000.000,2459.2057,N,12130.1234,E,1,10,1.0,56.3,M,15.2,M,,*65\r\n";
    std::string every(256, '\0');
    for (int b = 0; b < 256; ++b)
        every[b] = static_cast<char>(b);
    for (const std::string& input : {sentences, every + every + every}) {
        std::string noise = garbler.garble(input);
        EXPECT_EQ(noise.size(), input.size());
        EXPECT_EQ(noise.find('$'), std::string::npos);
        EXPECT_NE(noise, input);
    }
}

} // namespace
} // namespace norvane::sim
