#pragma once
// Play: the game is started as its launcher starts it.
#include <string>

// Starts the game program (in the game's folder in a build, else beside this
// program) with this program's folder as its command line, in the game's
// folder (the working folder), without waiting for it. The command line that
// was started, or empty when the game could not be started.
std::string LaunchGame();
