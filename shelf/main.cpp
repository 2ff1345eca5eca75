// The launcher "GameShelf": the menu players meet before the game, which
// starts the game and to which the game's menu button comes back.
#include "shelf/shelf_entry.h"
#include "shell/program_main.h"
#include "shell/scripted_run.h"

int main(int argc, char** argv) {
    SetReportWriter(WriteShelfReport);
    return RunProgram({"GameShelf", ShelfEntry, false}, argc, argv);
}
