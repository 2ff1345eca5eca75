// The page's program: the launcher GameShelf and the game in one module, the
// one the page names as the program (its argv[0], set by pre.js) run. The
// launcher is what a visitor meets first; Play and the game's menu button
// load the page again with the other (platform/web/web_process.cpp).
#include <emscripten.h>

#include <string_view>

#include "shelf/shelf_entry.h"
#include "shell/entry.h"
#include "shell/program_main.h"
#include "shell/scripted_run.h"

namespace {
int RunGame(const CommandLine& line) { return GameEntry(nullptr, line.launcherDir.c_str(), 0); }
}  // namespace

namespace {
int Run(int argc, char** argv) {
    if (argc > 0 && std::string_view(argv[0]).ends_with("/reefhoard")) {
        return RunProgram({"reefhoard", RunGame}, argc, argv);
    }
    SetReportWriter(WriteShelfReport);
    return RunProgram({"GameShelf", ShelfEntry}, argc, argv);
}
}  // namespace

int main(int argc, char** argv) {
    // The program ends here, as a process does, whatever tasks still wait
    // (platform/web/web_tasks.h): each keeps Emscripten's runtime alive for
    // its resumption, which would otherwise keep the page from moving on.
    emscripten_force_exit(Run(argc, argv));
}
