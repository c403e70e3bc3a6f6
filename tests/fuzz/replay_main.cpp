// Runs a fuzz target over saved inputs without libFuzzer, so every build replays the seed corpus
// and the inputs that once crashed. Arguments are files or folders of files; a missing folder is
// skipped, since a target may have no regressions yet.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsIn(const fs::path& place)
{
    std::vector<fs::path> inputs;
    std::error_code error;
    if (fs::is_directory(place, error)) {
        for (const auto& entry : fs::directory_iterator(place))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    } else if (fs::is_regular_file(place, error)) {
        inputs.push_back(place);
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool replay(const fs::path& input)
{
    std::ifstream file(input, std::ios::binary);
    if (!file)
        return false;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The name goes out first: a crash inside the target then shows which input caused it.
    std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.string().c_str(), bytes.size());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto& input : inputsIn(argv[i])) {
            if (!replay(input)) {
                std::fprintf(stderr, "cannot read %s\n", input.string().c_str());
                return 1;
            }
            ++replayed;
        }
    std::printf("%d inputs replayed\n", replayed);
    // A replay of nothing means the corpus went missing, which must not pass unnoticed.
    return replayed > 0 ? 0 : 1;
}
