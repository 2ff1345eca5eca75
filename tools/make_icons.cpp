// Writes the desktop icon at the usual sizes into the folder given on the
// command line, laid out as the icon theme wants it:
// <folder>/<size>x<size>/apps/reefhoard.png.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/icon_art.h"
#include "tools/png_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <icon folder>\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    bool ok = true;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string box = std::to_string(size) + "x" + std::to_string(size);
        const fs::path folder = fs::path(argv[1]) / box / "apps";
        fs::create_directories(folder);
        const fs::path file = folder / "reefhoard.png";
        if (!WritePng(file.string(), MakeIcon(size), true)) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
