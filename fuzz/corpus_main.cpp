// Runs every file of the given corpus folders (or the given files) through
// the target once, as the regression half of fuzzing in builds without
// libFuzzer. A folder without a single file is an error: a corpus that went
// missing must not pass for one that is clean.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path given(argv[i]);
        if (!fs::is_directory(given)) {
            files.push_back(given);
            continue;
        }
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(given)) {
            if (entry.is_regular_file()) found.push_back(entry.path());
        }
        if (found.empty()) {
            std::fprintf(stderr, "%s: no corpus files\n", argv[i]);
            return 1;
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
            return 1;
        }
        const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::printf("%zu inputs run\n", files.size());
    return 0;
}
