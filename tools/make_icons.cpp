// Writes the icon at the sizes asked for into the folder given on the command
// line:
//   make_icons <folder>                      the desktop's sizes, laid out as
//                                            the icon theme wants them:
//                                            <folder>/<size>x<size>/apps/reefhoard.png
//   make_icons --flat <folder> <size>...     the sizes named, side by side:
//                                            <folder>/icon-<size>.png (the
//                                            browser page's tab and manifest)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/icon_art.h"
#include "tools/png_file.h"

namespace {
namespace fs = std::filesystem;

bool WriteIcon(const fs::path& file, int size) {
    fs::create_directories(file.parent_path());
    if (WritePng(file.string(), MakeIcon(size), true)) return true;
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return false;
}

int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s <icon folder>\n       %s --flat <folder> <size>...\n", program, program);
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    bool ok = true;
    if (argc == 2) {
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const std::string box = std::to_string(size) + "x" + std::to_string(size);
            ok = WriteIcon(fs::path(argv[1]) / box / "apps" / "reefhoard.png", size) && ok;
        }
        return ok ? 0 : 1;
    }
    if (argc < 4 || std::string(argv[1]) != "--flat") return Usage(argv[0]);
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i) {
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (*end != '\0' || size < 16 || size > 1024) return Usage(argv[0]);
        sizes.push_back(static_cast<int>(size));
    }
    for (int size : sizes) {
        ok = WriteIcon(fs::path(argv[2]) / ("icon-" + std::to_string(size) + ".png"), size) && ok;
    }
    return ok ? 0 : 1;
}
