// Process entry: reads our options, picks the platform backend, makes sure a
// display can be opened, and runs the game.
#include <cstdio>
#include <new>

#include "platform/message_box.h"
#include "shell/entry.h"
#include "shell/program_main.h"

namespace {
// The game. Where a file's data could not be allocated the file counts as not
// loaded; memory that runs out anywhere else ends the game, saying so.
int RunGame(const CommandLine& line) {
    try {
        return GameEntry(nullptr, line.launcherDir.c_str(), 0);
    } catch (const std::bad_alloc&) {
        constexpr const char* kText = "There is not enough memory; the game cannot go on.";
        try {
            plat::ShowStopMessage(kText);
        } catch (const std::bad_alloc&) {
            // Not even a message box's worth is left: the plain line still goes out.
            std::fprintf(stderr, "Error: %s\n", kText);
        }
        return kStartUpFailedStatus;
    }
}
}  // namespace

int main(int argc, char** argv) { return RunProgram({"reefhoard", RunGame}, argc, argv); }
