#pragma once
// What the game and its launcher do around their own work: read the command
// line, move into the game's folder, pick the backend, open the display, set
// up the scripted run, and finish it with the exit status.
#include <string>

#include "shell/command_line.h"

struct ProgramRun {
    const char* name;  // the program's name in its messages
    // The program's own work once the display is open; its exit status.
    int (*run)(const CommandLine& line);
    // Whether the program plays games, so that --autoplay means something to it.
    bool playsGames = true;
};

// The exit status of the whole run: 2 for a command line or folder that
// makes no sense, 1 when the run failed or a file asked for was not written.
int RunProgram(const ProgramRun& program, int argc, char** argv);
