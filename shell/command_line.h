#pragma once
// The program's command line: our options are taken out first, and whatever
// is left, joined by blanks, is the launcher's folder.
#include <cstdint>
#include <string>

struct CommandLine {
    bool headless = false;
    bool help = false;
    bool seedGiven = false;
    uint32_t seed = 0;
    std::string audioOut;  // headless: where the mixed sound is written
    std::string launcherDir;
    std::string error;  // empty when the line made sense
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The option summary that --help prints.
const char* CommandLineHelp();
