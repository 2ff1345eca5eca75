// Writes the launcher's pictures into the folder given on the command line.
#include <cstdio>
#include <filesystem>

#include "tools/bmp_file.h"
#include "tools/shelf_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <launcher picture folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    TextPainter text;
    bool ok = true;
    for (const NamedPicture& p : MakeShelfPictures(text)) {
        if (WriteBmp((out / p.path).string(), p.canvas)) continue;
        std::fprintf(stderr, "cannot write %s\n", (out / p.path).c_str());
        ok = false;
    }
    return ok ? 0 : 1;
}
