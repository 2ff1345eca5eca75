// Process entry: reads our options, picks the platform backend, makes sure a
// display can be opened, and runs the game.
#include "shell/entry.h"
#include "shell/program_main.h"

namespace {
int RunGame(const CommandLine& line) { return GameEntry(nullptr, line.launcherDir.c_str(), 0); }
}  // namespace

int main(int argc, char** argv) { return RunProgram({"reefhoard", RunGame}, argc, argv); }
