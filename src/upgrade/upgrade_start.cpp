#include "upgrade/upgrade_start.h"

#include "upgrade/image_file.h"
#include "upgrade/loader_file.h"

namespace norvane {

namespace {

void reportStop(UpgradeHost& host, const std::string& text, const std::string& rawLogText)
{
    host.showMessage(text);
    host.memoAddLine(text);
    host.appendRawLog(rawLogText);
}

std::string loaderRefusal(const LoaderFileLoad& load)
{
    const std::string name = std::string("01.") + kLoaderFileName;
    const std::string line = " line " + std::to_string(load.line);
    switch (load.result) {
    case LoaderFileResult::Empty:
        return name + " is empty";
    case LoaderFileResult::TooManyLines:
        return name + " has more than " + std::to_string(kLoaderRows) + " lines";
    case LoaderFileResult::LineTooLong:
        return name + line + " is longer than " + std::to_string(kLoaderLineMax) + " characters";
    case LoaderFileResult::NotCrLf:
        return name + line + " does not end in CR LF";
    case LoaderFileResult::ZeroByte:
        return name + line + " holds a zero byte";
    default:
        return {};
    }
}

std::string imageRefusal(ImageFileResult result)
{
    const std::string name = std::string("02.") + kImageFileName;
    if (result == ImageFileResult::Empty)
        return name + " is empty";
    return name + " is larger than " + std::to_string(kImageCapacity) + " bytes";
}

bool loadLoader(UpgradeContext& context)
{
    const std::string path = (context.directory / kLoaderFileName).string();
    LoaderFileLoad load = loadLoaderFile(path, context.session.loader);
    if (load.result == LoaderFileResult::Missing) {
        reportStop(context.host, "01.Open flash file Error", "(01.Flash.scrc Open Error\n");
        return false;
    }
    if (load.result != LoaderFileResult::Loaded) {
        const std::string text = loaderRefusal(load);
        reportStop(context.host, text, text + "\n");
        return false;
    }
    context.host.memoAddLine("Open flashscrc OK");
    context.host.appendRawLog("01.flashscrc Open OK\n");
    return true;
}

bool loadImage(UpgradeContext& context)
{
    context.session.image.checksum = 0;
    const std::string path = (context.directory / kImageFileName).string();
    ImageFileResult result = loadImageFile(path, context.session.image, context.session.imageBytesDone);
    if (result == ImageFileResult::Missing) {
        reportStop(context.host, "02.Open binfile Error", "(02.binfile Open Error\n");
        return false;
    }
    if (result != ImageFileResult::Loaded) {
        const std::string text = imageRefusal(result);
        reportStop(context.host, text, text + "\n");
        return false;
    }
    context.host.memoAddLine("Open binfile OK");
    context.host.appendRawLog("02.Openbinfile  OK\n");
    return true;
}

} // namespace

void startUpgrade(UpgradeContext& context)
{
    UpgradeSession& session = context.session;
    UpgradeHost& host = context.host;
    // A second start would clear the log and rewind the download under its own feet.
    if (session.running)
        return;
    session.loaderIndex = 0;
    session.imageBytesDone = 0;
    host.setReceiveLoopEnabled(false);
    host.memoClear();

    if (session.state != kStateSendRequest) {
        if (!loadLoader(context) || !loadImage(context)) {
            host.setReceiveLoopEnabled(true);
            return;
        }
        session.state = kStateSendRequest;
    }

    host.setProgressCaption("");
    host.setProgressVisible(true);
    session.loaderIndex = 0;
    session.imageBytesDone = 0;
    session.retryCounter = 0;
    session.unansweredTicks = 0;
    host.setUpgradeButtonEnabled(false);
    session.running = true;
    host.setPortUsersEnabled(false);
    host.setDownloadTimerEnabled(true);
}

} // namespace norvane
