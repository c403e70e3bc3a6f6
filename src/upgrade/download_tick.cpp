#include "upgrade/download_tick.h"

#include "serial/clock.h"
#include "upgrade/download_texts.h"
#include "upgrade/reply_search.h"

#include <algorithm>
#include <cstring>

namespace norvane {

namespace {

constexpr int kLinesPerTick = 30;
constexpr const char* kDownloadRateText = "115200";
constexpr int kDownloadQueueSize = 10000;
constexpr int kRateSettleMs = 1000;
// Empty ticks: past kRequestRepeatAfter the request goes out again on every other tick; the
// header's second form goes out on every kHeaderRepeatEvery-th until the first block is sent.
constexpr int kRequestRepeatAfter = 15;
constexpr int kHeaderRepeatEvery = 30;
// Ticks with data but without the awaited reply: a receiver that keeps sending its sentences,
// or noise, would otherwise keep a waiting state waiting for ever.
constexpr int kUnansweredLimit = 30;

using Continue = bool;

// A reply check: fewer than two bytes read make an empty tick.
int readReplies(UpgradeContext& c)
{
    int got = c.link.readQueued(c.buffer);
    return got < 2 ? 0 : got;
}

bool found(UpgradeContext& c, int got, const char* reply)
{
    return containsReply(c.buffer.data(), static_cast<std::size_t>(got), reply);
}

// Text commands are assembled in the zeroed receive buffer, so a short text goes out padded
// with zero bytes to the command's fixed length.
void writeCommand(UpgradeContext& c, const std::string& text, std::size_t count)
{
    c.buffer.fill(0);
    std::memcpy(c.buffer.data(), text.data(), std::min(text.size(), c.buffer.size()));
    c.link.writeBytes(c.buffer.data(), count);
}

// The download is over before anything is shown: the message box lets the window handle
// clicks, and those must find the port free again.
void endDownload(UpgradeContext& c, char state)
{
    c.session.state = state;
    c.session.running = false;
    c.host.setPortUsersEnabled(true);
}

// What a waiting state says when it gives up: its message box, its message-log line and its
// raw-log line.
struct Failure {
    const char* box;
    const char* memo;
    const char* rawLog;
};

Continue giveUp(UpgradeContext& c, const Failure& failure)
{
    endDownload(c, kStateStopped);
    c.host.showMessage(failure.box);
    c.host.memoAddLine(failure.memo);
    c.host.appendRawLog(failure.rawLog);
    return false;
}

// A tick that read data without the reply the state waits for.
bool unansweredTooLong(UpgradeContext& c)
{
    return ++c.session.unansweredTicks >= kUnansweredLimit;
}

void showProgress(UpgradeContext& c, double percent)
{
    c.sentenceText = progressText(percent);
    c.host.setProgressCaption(c.sentenceText);
}

Continue sendRequest(UpgradeContext& c)
{
    // Whatever the receiver said before the request (its sentences can hold "OK") must not
    // pass for the answer.
    c.link.purgeInput();
    writeCommand(c, kDownloadRequest, sizeof kDownloadRequest);
    c.session.state = kStateAwaitReady;
    return true;
}

Continue sendLoader(UpgradeContext& c)
{
    UpgradeSession& s = c.session;
    for (int sent = 0; sent < kLinesPerTick; ++sent) {
        if (s.loaderIndex >= s.loader.count) {
            s.state = kStateAwaitLoaderEnd;
            c.sentenceText = progressText(50);
            break;
        }
        c.sentenceText = progressText(loaderPercent(s.loaderIndex, s.loader.fileSize));
        const auto& row = s.loader.rows[static_cast<std::size_t>(s.loaderIndex)];
        const auto end = std::find(row.begin(), row.end() - 1, '\0');
        c.link.writeBytes(row.data(), static_cast<std::size_t>(end - row.begin()) + 1);
        ++s.loaderIndex;
    }
    c.host.setProgressCaption(c.sentenceText);
    return true;
}

Continue switchRate(UpgradeContext& c)
{
    c.link.setLineSettings(kDownloadRateText);
    clock().sleepMs(kRateSettleMs);
    c.link.setQueueSizes(kDownloadQueueSize);
    clock().sleepMs(kRateSettleMs);
    c.session.state = kStateSendHeader;
    return true;
}

Continue sendHeader(UpgradeContext& c)
{
    UpgradeSession& s = c.session;
    c.sentenceText = imageHeader(s.image.size, s.image.checksum);
    writeCommand(c, c.sentenceText, kImageHeaderLength);
    c.host.memoAddLine(c.sentenceText);
    s.retryCounter = 0;
    s.imageBytesDone = 0;
    s.blockIndex = 0;
    s.state = kStateAwaitBlockAck;
    return true;
}

Continue sendBlock(UpgradeContext& c)
{
    UpgradeSession& s = c.session;
    int remaining = s.image.size - s.imageBytesDone;
    int length = remaining;
    if (remaining > static_cast<int>(kImageSlotSize)) {
        length = static_cast<int>(kImageSlotSize);
        s.state = kStateAwaitBlockAck;
    } else {
        s.state = kStateAwaitImageEnd;
        s.retryCounter = 0;
    }
    // The loaded size never exceeds the buffer; the bound keeps a write inside it regardless.
    const std::size_t slot = std::min(static_cast<std::size_t>(s.blockIndex), kImageSlots - 1);
    c.link.writeBytes(s.image.bytes.data() + slot * kImageSlotSize, static_cast<std::size_t>(length));
    ++s.blockIndex;
    s.imageBytesDone += length;
    showProgress(c, imagePercent(s.imageBytesDone, s.image.size));
    return true;
}

Continue finishDownload(UpgradeContext& c)
{
    UpgradeSession& s = c.session;
    c.host.memoAddLine("Write bin file OK");
    c.link.purgeInput();
    endDownload(c, kStateSendRequest);
    s.imageBytesDone = 0;
    s.retryCounter = 0;
    c.sentenceText.clear();
    c.host.setProgressVisible(false);
    c.host.setProgressCaption("");
    c.link.setLineSettings(c.host.userRateText());
    c.host.memoAddLine("Change baudrate......");
    c.host.setReceiveLoopEnabled(true);
    clock().sleepMs(kRateSettleMs);
    return false;
}

// The four states that wait for the receiver share one shape: a tick with nothing to read counts
// toward the state's own last empty tick; a tick with data holds the awaited reply, a refusal,
// or neither, and then counts as unanswered.
enum class Reply { None, Awaited, Refused };

struct Wait {
    int failsOnEmptyTick;
    void (*emptyTick)(UpgradeContext&); // besides counting it
    Reply (*reply)(UpgradeContext&, int got);
    Continue (*answered)(UpgradeContext&);
    Failure failure;
};

Continue await(UpgradeContext& c, const Wait& wait)
{
    UpgradeSession& s = c.session;
    const int got = readReplies(c);
    if (got == 0) {
        ++s.retryCounter;
        wait.emptyTick(c);
        return s.retryCounter >= wait.failsOnEmptyTick ? giveUp(c, wait.failure) : true;
    }
    const Reply reply = wait.reply(c, got);
    if (reply == Reply::Awaited)
        return wait.answered(c);
    if (reply == Reply::Refused || unansweredTooLong(c))
        return giveUp(c, wait.failure);
    return true;
}

void onlyCount(UpgradeContext&) {}

void repeatRequestLate(UpgradeContext& c)
{
    if (c.session.retryCounter > kRequestRepeatAfter)
        c.session.state = kStateSendRequest;
}

void repeatFlashStartHeader(UpgradeContext& c)
{
    UpgradeSession& s = c.session;
    if (s.retryCounter % kHeaderRepeatEvery == 0 && s.imageBytesDone == 0) {
        c.sentenceText = flashStartHeader(s.image.size, s.image.checksum);
        writeCommand(c, c.sentenceText, kFlashStartHeaderLength);
    }
}

Reply okReply(UpgradeContext& c, int got)
{
    return found(c, got, "OK") ? Reply::Awaited : Reply::None;
}

Reply endReply(UpgradeContext& c, int got)
{
    return found(c, got, "END") ? Reply::Awaited : Reply::None;
}

// Success is reported only on the receiver's own "END" in this state: writes are not checked,
// so a receiver that never got the image shows up here as silence, never as a finished download.
Reply imageEndReply(UpgradeContext& c, int got)
{
    switch (findImageEndReply(c.buffer.data(), static_cast<std::size_t>(got))) {
    case ImageEndReply::End:
        return Reply::Awaited;
    case ImageEndReply::Err:
        return Reply::Refused;
    case ImageEndReply::None:
        break;
    }
    return Reply::None;
}

Continue readyAnswered(UpgradeContext& c)
{
    c.host.appendRawLog("3.Send $Load OK\n");
    c.session.retryCounter = 0;
    c.session.loaderIndex = 0;
    c.host.setProgressVisible(true);
    c.session.state = kStateSendLoader;
    return true;
}

Continue loaderEnded(UpgradeContext& c)
{
    c.host.memoAddLine("Write flash OK .");
    c.host.memoAddLine("Ready to Write bin .");
    c.host.appendRawLog("4.flash.serc OK\n");
    c.session.retryCounter = 0;
    c.session.state = kStateSwitchRate;
    return true;
}

Continue blockAcknowledged(UpgradeContext& c)
{
    c.session.retryCounter = 0;
    c.session.state = kStateSendBlock;
    return true;
}

const Wait kReadyWait{31, repeatRequestLate, okReply, readyAnswered,
                      {"3.Send &Load fales", "3.Send &Load fales", "3.Send $load no reback OK\n"}};
const Wait kLoaderEndWait{31, onlyCount, endReply, loaderEnded,
                          {"4.Write flash fales", "4.Write flash fales", "4.flash.serc fales\n"}};
const Wait kBlockAckWait{101, repeatFlashStartHeader, okReply, blockAcknowledged,
                         {"5.bin files fales", "5.bin files fales", "5.binsize command fales\n"}};
const Wait kImageEndWait{15, onlyCount, imageEndReply, finishDownload,
                         {"5.write bin fales", "5.write binfales", "5.write bin fales\n"}};

Continue runState(UpgradeContext& c)
{
    switch (c.session.state) {
    case kStateSendRequest:
        return sendRequest(c);
    case kStateAwaitReady:
        return await(c, kReadyWait);
    case kStateSendLoader:
        return sendLoader(c);
    case kStateAwaitLoaderEnd:
        return await(c, kLoaderEndWait);
    case kStateSwitchRate:
        return switchRate(c);
    case kStateSendHeader:
        return sendHeader(c);
    case kStateAwaitBlockAck:
        return await(c, kBlockAckWait);
    case kStateSendBlock:
        return sendBlock(c);
    case kStateAwaitImageEnd:
        return await(c, kImageEndWait);
    default:
        return false;
    }
}

// The step number of the failure texts of the phase the state belongs to.
const char* phaseNumber(char state)
{
    switch (state) {
    case kStateSendRequest:
    case kStateAwaitReady:
        return "3.";
    case kStateSendLoader:
    case kStateAwaitLoaderEnd:
        return "4.";
    default:
        return "5.";
    }
}

} // namespace

void downloadTick(UpgradeContext& context)
{
    UpgradeSession& s = context.session;
    context.host.setDownloadTimerEnabled(false);
    const char before = s.state;
    const Continue goOn = runState(context);
    // Each waiting state counts its own unanswered ticks.
    if (s.state != before)
        s.unansweredTicks = 0;
    if (goOn)
        context.host.setDownloadTimerEnabled(true);
}

std::string stopDownload(UpgradeContext& context)
{
    if (!context.session.running)
        return {};
    context.host.setDownloadTimerEnabled(false);
    const std::string text = std::string(phaseNumber(context.session.state)) + "Download stopped by Off";
    endDownload(context, kStateStopped);
    context.host.appendRawLog(text + "\n");
    return text;
}

} // namespace norvane
