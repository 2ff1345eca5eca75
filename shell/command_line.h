#pragma once
// The program's command line: our options are taken out first, and whatever
// is left, joined by blanks, is the launcher's folder.
#include <cstdint>
#include <string>

struct CommandLine {
    bool headless = false;
    bool help = false;
    bool version = false;
    std::string data;  // the game's folder, when not found by itself
    bool seedGiven = false;
    uint32_t seed = 0;
    std::string audioOut;  // headless: where the mixed sound is written
    std::string screenshot;  // where F12 and the last frame of --frames are captured
    int32_t frames = 0;      // above 0: end after this many frames
    std::string record;      // where the input received is written
    std::string replay;      // whose input is fed to the program instead of the real mouse
    std::string report;      // where the end-of-run report goes
    int32_t autoplayGames = 0;  // above 0: the built-in player plays this many games
    std::string launcherDir;
    std::string error;  // empty when the line made sense
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The option summary that --help prints.
const char* CommandLineHelp();

// The line --version prints: the program's name and version.
const char* VersionLine();
