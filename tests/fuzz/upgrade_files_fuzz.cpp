// The loader and image files as the Upgrade button finds them: any text as "flash.srec", any bytes
// as "prom.bin". The loader splitter is held to an independent reading of its rules, whatever the
// pieces the text arrives in; the files then go through the upgrade start.
//
// Input: a piece-size byte, a flags byte, the loader length (two bytes), the loader text, and the
// rest as the image.
//   flags bit 0: image padded with zeros to exactly the capacity   bit 1: to one byte more
//   flags bit 2: no loader file    bit 3: no image file    bit 4: files still loaded from before

#include "fuzz_input.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "upgrade/image_file.h"
#include "upgrade/loader_file.h"
#include "upgrade/recording_upgrade_host.h"
#include "upgrade/upgrade_start.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

namespace norvane::fuzz {
namespace {

namespace fs = std::filesystem;

// The refusal a loader text deserves, read line by line from the whole text.
LoaderFileLoad expectedVerdict(std::string_view text)
{
    if (text.empty())
        return {LoaderFileResult::Empty, 0};
    int lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        if (lines == kLoaderRows)
            return {LoaderFileResult::TooManyLines, 0};
        const std::size_t feed = text.find('\n', start);
        // A zero byte is refused where it stands, unless the line had already run too long.
        const std::size_t zero =
            text.substr(start, feed == std::string_view::npos ? feed : feed - start).find('\0');
        if (zero != std::string_view::npos && zero <= static_cast<std::size_t>(kLoaderLineMax) + 1)
            return {LoaderFileResult::ZeroByte, lines + 1};
        if (feed == std::string_view::npos) {
            // A last line without its line feed is refused at the end unless it already ran long.
            const bool tooLong = text.size() - start > static_cast<std::size_t>(kLoaderLineMax) + 1;
            return {tooLong ? LoaderFileResult::LineTooLong : LoaderFileResult::NotCrLf, lines + 1};
        }
        const std::string_view line = text.substr(start, feed - start);
        const bool crLf = !line.empty() && line.back() == '\r';
        const std::size_t characters = line.size() - (crLf ? 1 : 0);
        if (characters > static_cast<std::size_t>(kLoaderLineMax))
            return {LoaderFileResult::LineTooLong, lines + 1};
        if (!crLf)
            return {LoaderFileResult::NotCrLf, lines + 1};
        ++lines;
        start = feed + 1;
    }
    return {LoaderFileResult::Loaded, 0};
}

bool sameVerdict(const LoaderFileLoad& a, const LoaderFileLoad& b)
{
    return a.result == b.result && a.line == b.line;
}

// A loaded text comes back exactly from the rows: each row is a line with its line feed and a
// terminating zero, the carriage return dropped.
void expectRowsHold(const LoaderLines& lines, std::string_view text)
{
    FUZZ_CHECK(lines.count >= 1 && lines.count <= kLoaderRows);
    std::string rebuilt;
    for (int i = 0; i < lines.count; ++i) {
        const auto& row = lines.rows[static_cast<std::size_t>(i)];
        const std::string_view stored(row.data(), row.size());
        const std::size_t zero = stored.find('\0');
        FUZZ_CHECK(zero != std::string_view::npos && zero >= 1 && stored[zero - 1] == '\n');
        rebuilt.append(stored.substr(0, zero - 1));
        rebuilt += "\r\n";
    }
    FUZZ_CHECK(rebuilt == text);
}

LoaderFileLoad splitInPieces(std::string_view text, std::size_t piece, LoaderLines& lines)
{
    LoaderLineSplitter splitter(lines);
    for (std::size_t at = 0; at < text.size(); at += piece)
        if (!splitter.push(text.data() + at, std::min(piece, text.size() - at)))
            break;
    return splitter.finish();
}

// One folder per process for the two files, removed when the process ends.
const fs::path& workFolder()
{
    static const fs::path folder = [] {
        fs::path made = fs::temp_directory_path() / ("norvane-fuzz-files-" + std::to_string(::getpid()));
        fs::create_directories(made);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(workFolder(), ignored);
        });
        return made;
    }();
    return folder;
}

void writeFile(const fs::path& path, std::string_view bytes, std::size_t zeroPadding)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::string zeros(zeroPadding, '\0');
    file.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    FUZZ_CHECK(file.good());
}

} // namespace
} // namespace norvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace norvane;
    using namespace norvane::fuzz;
    using upgradetest::RecordingUpgradeHost;

    FuzzInput input(data, size);
    const std::size_t piece = 1 + input.byte();
    const std::uint8_t flags = input.byte();
    const std::string_view loaderText = input.take(input.word());
    const std::string_view imageText = input.rest();

    // The splitter, in pieces and whole, against the line-by-line reading.
    auto session = std::make_unique<UpgradeSession>();
    const LoaderFileLoad expected = expectedVerdict(loaderText);
    const LoaderFileLoad inPieces = splitInPieces(loaderText, piece, session->loader);
    FUZZ_CHECK(sameVerdict(inPieces, expected));
    if (expected.result == LoaderFileResult::Loaded)
        expectRowsHold(session->loader, loaderText);
    else
        FUZZ_CHECK(session->loader.count <= kLoaderRows);

    // The same through the files and the Upgrade button.
    const fs::path& folder = workFolder();
    std::error_code ignored;
    fs::remove(folder / kLoaderFileName, ignored);
    fs::remove(folder / kImageFileName, ignored);
    if (!(flags & 4))
        writeFile(folder / kLoaderFileName, loaderText, 0);
    std::size_t imageSize = imageText.size();
    if (flags & 3)
        imageSize = kImageCapacity + ((flags & 2) ? 1 : 0);
    imageSize = std::max(imageSize, imageText.size());
    if (!(flags & 8))
        writeFile(folder / kImageFileName, imageText, imageSize - imageText.size());

    session = std::make_unique<UpgradeSession>();
    if (!(flags & 4)) {
        const LoaderFileLoad fromFile = loadLoaderFile((folder / kLoaderFileName).string(), session->loader);
        FUZZ_CHECK(sameVerdict(fromFile, expected));
        FUZZ_CHECK(session->loader.fileSize == static_cast<int>(loaderText.size()));
    }
    bool imageLoads = false;
    if (!(flags & 8)) {
        int bytesRead = 0;
        const ImageFileResult result =
            loadImageFile((folder / kImageFileName).string(), session->image, bytesRead);
        imageLoads = imageSize >= 1 && imageSize <= kImageCapacity;
        FUZZ_CHECK((result == ImageFileResult::Loaded) == imageLoads);
        FUZZ_CHECK(result != ImageFileResult::Empty || imageSize == 0);
        FUZZ_CHECK(result != ImageFileResult::TooLarge || imageSize > kImageCapacity);
        if (imageLoads) {
            FUZZ_CHECK(session->image.size == static_cast<int>(imageSize) &&
                       bytesRead == static_cast<int>(imageSize));
            std::uint8_t sum = 0;
            for (std::size_t i = 0; i < imageText.size(); ++i) {
                FUZZ_CHECK(session->image.bytes[i] == static_cast<std::uint8_t>(imageText[i]));
                sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(imageText[i]));
            }
            FUZZ_CHECK(session->image.checksum == sum);
        }
    }

    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    FUZZ_CHECK(fake.link.openLink("COM3", "9600"));
    ReceiveBuffer buffer{};
    std::string sentenceText;
    RecordingUpgradeHost host;
    session = std::make_unique<UpgradeSession>();
    const bool alreadyLoaded = (flags & 16) != 0;
    if (alreadyLoaded)
        session->state = kStateSendRequest;
    UpgradeContext context{*session, fake.link, buffer, sentenceText, host, folder};
    startUpgrade(context);

    const bool starts = alreadyLoaded || (!(flags & 4) && expected.result == LoaderFileResult::Loaded &&
                                          !(flags & 8) && imageLoads);
    FUZZ_CHECK(host.downloadTimerOn == starts);
    FUZZ_CHECK(host.receiveLoopOn == !starts);
    FUZZ_CHECK(host.boxes.size() == (starts ? 0u : 1u));
    FUZZ_CHECK((session->state == kStateSendRequest) == starts);
    // Nothing reaches the receiver before the first download tick.
    FUZZ_CHECK(fake.port->writes.empty());
    return 0;
}
