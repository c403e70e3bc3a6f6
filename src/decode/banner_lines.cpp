#include "decode/identification.h"
#include "decode/text_helpers.h"

#include <string>

namespace norvane {

namespace {

// The banner kinds by the position of a line's first four characters in this key.
constexpr std::string_view kBannerKey = "$Sky$Car$Ker$ver$UnI$Han$PLC";
enum BannerKind { kSky = 1, kCar = 5, kKernel = 9, kVersion = 13, kUnI = 17, kHan = 21, kDated = 25 };

// The text before the first ',' of `text`; empty when there is no comma.
std::string beforeComma(std::string_view text)
{
    return substring(text, 1, position(text, ",") - 1);
}

// "$Sky,..." -> "Sky": the word between '$' and the first comma.
void handleNameLine(std::string_view line, IdentificationTexts& texts)
{
    texts.bannerName = substring(line, 2, position(line, ",") - 2);
}

void handleVersionLine(std::string_view line, IdentificationTexts& texts, ReceiveSink& sink)
{
    texts.versionLine = std::string(line);
    texts.kernelVersion = beforeComma(substring(texts.kernelLine, 10, 10));
    sink.setVersionText(1, texts.bannerName + " Kernel Version " + texts.kernelVersion);

    const std::string versionNumber = beforeComma(substring(texts.versionLine, 6, 10));
    texts.kernelLine = versionNumber;
    sink.setVersionText(2, texts.bannerName + " Version " + versionNumber);

    const int revision = position(texts.versionLine, "rev,");
    sink.setVersionText(3, texts.bannerName + " Rversion 20" + substring(texts.versionLine, revision + 4, 8));
}

// The version text after "PLN", then the date and time as ASCII digits.
void handleDatedVersionLine(std::string_view line, ReceiveSink& sink)
{
    const int p = position(line, "PLN");
    sink.setVersionText(1, substring(line, p, 12));
    sink.setVersionText(2, "20" + substring(line, p + 13, 2) + "/" + substring(line, p + 15, 2) + "/" +
                               substring(line, p + 17, 2));
    sink.setVersionText(3, substring(line, p + 20, 2) + ":" + substring(line, p + 22, 2) + ":" +
                               substring(line, p + 24, 2));
}

} // namespace

void handleBannerLine(std::string_view sentence, IdentificationTexts& texts, ReceiveSink& sink)
{
    switch (position(kBannerKey, substring(sentence, 1, 4))) {
    case kSky:
    case kCar:
    case kUnI:
    case kHan:
        handleNameLine(sentence, texts);
        break;
    case kKernel:
        texts.kernelLine = std::string(sentence);
        break;
    case kVersion:
        handleVersionLine(sentence, texts, sink);
        break;
    case kDated:
        handleDatedVersionLine(sentence, sink);
        break;
    default:
        checkVersionReply(sentence, "%%", sink);
        break;
    }
}

} // namespace norvane
