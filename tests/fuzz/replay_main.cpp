// Runs a fuzz target once over each input file named on the command line
// or found in a named folder, so the ordinary build replays the committed
// corpus as a test. A clang build links libFuzzer's own driver instead.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> InputFiles(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path argument(argv[i]);
        if (!std::filesystem::is_directory(argument)) {
            files.push_back(argument);
            continue;
        }
        std::vector<std::filesystem::path> folder;
        for (const auto& entry : std::filesystem::directory_iterator(argument))
            if (entry.is_regular_file())
                folder.push_back(entry.path());
        // A fixed order, so a failure shows the same way on every machine.
        std::sort(folder.begin(), folder.end());
        files.insert(files.end(), folder.begin(), folder.end());
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::filesystem::path> files = InputFiles(argc, argv);
    // A corpus that has gone missing must not pass as replayed.
    if (files.empty()) {
        std::fprintf(stderr, "No input files.\n");
        return 1;
    }
    for (const std::filesystem::path& file : files) {
        std::ifstream stream(file, std::ios::binary);
        if (!stream) {
            std::fprintf(stderr, "Cannot read %s\n", file.c_str());
            return 1;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
        // Named first: a crash then tells which input caused it.
        std::fprintf(stderr, "Running: %s\n", file.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::fprintf(stderr, "Replayed %zu inputs.\n", files.size());
    return 0;
}
