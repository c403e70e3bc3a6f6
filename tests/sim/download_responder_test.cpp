#include "sim/download_responder.h"
#include "upgrade/firmware_samples.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using namespace upgradetest;
using Bytes = std::vector<std::uint8_t>;

const std::string kRequest("$LOADER DOWNLOAD\0", 17);

class DownloadResponderTest : public ::testing::Test {
protected:
    DownloadResponder responder;

    std::string send(const std::string& bytes, int rate = 9600)
    {
        return responder.feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), rate);
    }
    std::string send(const Bytes& bytes, int rate = kDownloadRate)
    {
        return responder.feed(bytes.data(), bytes.size(), rate);
    }

    // The loader lines as the tool sends them, one write each; the replies joined.
    std::string sendLoader(const std::vector<std::string>& records)
    {
        std::string replies;
        for (const auto& record : records)
            replies += send(record + std::string("\n\0", 2));
        return replies;
    }

    void reachHeader()
    {
        ASSERT_EQ(send(kRequest), "OK");
        ASSERT_EQ(sendLoader(loaderRecords(4)), "END");
    }

    // The image in blocks of 8192 as the tool writes them; the replies, one per block.
    std::vector<std::string> sendImage(const Bytes& image)
    {
        std::vector<std::string> replies;
        for (std::size_t at = 0; at < image.size(); at += 8192) {
            Bytes block(image.begin() + at, image.begin() + std::min(at + 8192, image.size()));
            replies.push_back(send(block));
        }
        return replies;
    }

    // A whole download as the tool makes it: the request (again when unanswered), the loader,
    // the header (again, in its FlashStart form, when unanswered) and an image of three blocks;
    // what each step was answered ("-" for nothing), what was kept, and how it ended.
    std::string download()
    {
        const std::size_t size = 20000;
        const auto said = [](const std::string& reply) { return " " + (reply.empty() ? "-" : reply); };
        std::string steps = "request" + said(send(kRequest));
        if (!responder.active())
            steps += said(send(kRequest));
        steps += ", loader" + said(sendLoader(loaderRecords(4)));
        if (!responder.atDownloadRate())
            return steps;
        const Bytes image = imageBytes(size);
        steps += ", header" + said(send(sampleImageHeader(size, byteSum(image)), kDownloadRate));
        if (steps.ends_with(" -"))
            steps += said(send(sampleFlashStartHeader(size, byteSum(image)), kDownloadRate));
        steps += ", blocks";
        for (const std::string& reply : sendImage(image))
            steps += said(reply);
        steps += responder.image() == image ? ", kept" : ", not kept";
        steps += responder.finished() ? ", finished" : ", unfinished";
        return steps + (responder.active() ? ", active" : ", idle");
    }
};

TEST_F(DownloadResponderTest, RequestNeedsItsZeroByte)
{
    EXPECT_EQ(send("$GPGGA,1*00\r\n$LOADER DOWNLOAD"), "");
    EXPECT_FALSE(responder.active());
    EXPECT_EQ(send(std::string(1, '\0')), "OK");
    EXPECT_TRUE(responder.active());
    EXPECT_FALSE(responder.atDownloadRate());
}

TEST_F(DownloadResponderTest, LoaderEndsAfterItsTerminationRecord)
{
    send(kRequest);
    const auto records = loaderRecords(6);
    EXPECT_EQ(sendLoader({records.begin(), records.end() - 1}), "");
    EXPECT_EQ(sendLoader({records.back()}), "END");
    EXPECT_TRUE(responder.atDownloadRate());
}

TEST_F(DownloadResponderTest, EachTerminationRecordTypeEndsTheLoader)
{
    for (char type : {'7', '8', '9'}) {
        DownloadResponder fresh;
        const std::string request = kRequest;
        fresh.feed(reinterpret_cast<const std::uint8_t*>(request.data()), request.size(), 9600);
        std::string end = sRecord(type, 0, {}) + std::string("\n\0", 2);
        EXPECT_EQ(fresh.feed(reinterpret_cast<const std::uint8_t*>(end.data()), end.size(), 9600), "END")
            << type;
    }
}

TEST_F(DownloadResponderTest, RecordWithABadChecksumSilencesTheLoader)
{
    send(kRequest);
    auto records = loaderRecords(5);
    records[2].back() = records[2].back() == '0' ? '1' : '0';
    EXPECT_EQ(sendLoader(records), "");
    EXPECT_FALSE(responder.atDownloadRate());
}

TEST_F(DownloadResponderTest, RepeatedRequestIsAnsweredAgainAndStartsTheLoaderOver)
{
    send(kRequest);
    auto records = loaderRecords(3);
    records[0].back() ^= 1; // a bad record before the repeat is forgotten
    sendLoader({records[0]});
    EXPECT_EQ(send(kRequest), "OK");
    EXPECT_EQ(sendLoader(loaderRecords(3)), "END");
}

TEST_F(DownloadResponderTest, HeaderIsHeardOnlyAtTheDownloadRate)
{
    reachHeader();
    const Bytes image = imageBytes(100);
    const std::string text = sampleImageHeader(image.size(), byteSum(image));
    EXPECT_EQ(send(text, 9600), "");
    EXPECT_EQ(send(text, kDownloadRate), "OK");
}

TEST_F(DownloadResponderTest, FlashStartFormIsAHeaderToo)
{
    reachHeader();
    const Bytes image = imageBytes(16384);
    EXPECT_EQ(send(sampleFlashStartHeader(image.size(), byteSum(image)), kDownloadRate), "OK");
    EXPECT_EQ(sendImage(image), (std::vector<std::string>{"OK", "END"}));
    EXPECT_EQ(responder.image(), image);
}

TEST_F(DownloadResponderTest, ImageWhoseSumDiffersFromTheHeaderIsRefused)
{
    reachHeader();
    const Bytes image = imageBytes(9000);
    send(sampleImageHeader(image.size(), static_cast<std::uint8_t>(byteSum(image) + 1)), kDownloadRate);
    EXPECT_EQ(sendImage(image), (std::vector<std::string>{"OK", "Err"}));
    EXPECT_FALSE(responder.finished());
}

TEST_F(DownloadResponderTest, ImageBytesAtAnotherRateAreLineGarbage)
{
    reachHeader();
    const Bytes image = imageBytes(100);
    send(sampleImageHeader(image.size(), byteSum(image)), kDownloadRate);
    EXPECT_EQ(send(image, 9600), "");
    EXPECT_TRUE(responder.image().empty());
    EXPECT_EQ(send(image, kDownloadRate), "END");
}

TEST_F(DownloadResponderTest, NewRequestAfterADownloadStartsAfresh)
{
    reachHeader();
    const Bytes image = imageBytes(10);
    send(sampleImageHeader(image.size(), byteSum(image)), kDownloadRate);
    send(image);
    ASSERT_TRUE(responder.finished());
    EXPECT_EQ(send(kRequest), "OK");
    EXPECT_FALSE(responder.finished());
    EXPECT_TRUE(responder.active());
}

TEST_F(DownloadResponderTest, ResetLeavesDownloadModeAndKeepsTheImage)
{
    reachHeader();
    const Bytes image = imageBytes(9000);
    send(sampleImageHeader(image.size(), byteSum(image)), kDownloadRate);
    send(Bytes(image.begin(), image.begin() + 8192));
    responder.reset();
    EXPECT_FALSE(responder.active());
    EXPECT_EQ(responder.image().size(), 8192u);
}

// Each of the receiver's faults against a whole download, and none: the step it leaves
// unanswered, or answers with "Err", and the steps around it as without it.
TEST_F(DownloadResponderTest, WholeDownloadsUnderEachFault)
{
    const struct {
        DownloadOptions options;
        const char* steps;
    } cases[] = {
        {{}, "request OK, loader END, header OK, blocks OK OK END, kept, finished, idle"},
        {{DownloadStep::Request, 1},
         "request - OK, loader END, header OK, blocks OK OK END, kept, finished, idle"},
        {{DownloadStep::Loader}, "request OK, loader -"},
        {{DownloadStep::Header, 1},
         "request OK, loader END, header - OK, blocks OK OK END, kept, finished, idle"},
        {{DownloadStep::Block}, "request OK, loader END, header OK, blocks - - END, kept, finished, idle"},
        {{DownloadStep::End}, "request OK, loader END, header OK, blocks OK OK -, kept, unfinished, idle"},
        {{.errAtEnd = true}, "request OK, loader END, header OK, blocks OK OK Err, kept, unfinished, idle"},
    };
    for (const auto& c : cases) {
        responder = DownloadResponder(c.options);
        EXPECT_EQ(download(), c.steps);
    }
}

} // namespace
} // namespace norvane::sim
