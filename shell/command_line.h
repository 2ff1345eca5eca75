#pragma once
// The program's command line: our options are taken out first, and whatever
// is left, joined by blanks, is the launcher's folder.
#include <cstdint>
#include <span>
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

// One option: what the parser takes and what --help says of it. The manual
// pages and the README are checked against the table of these by a test.
struct CommandLineOption {
    const char* name;      // "--seed"
    const char* argument;  // the value's name in the help ("N", "FILE"); "" for none
    bool argumentOptional;  // the value may be left out, and is then given as --name=VALUE
    const char* help;       // '\n' goes on to another line of the help
    // Applies the option; value is null when an optional one was left out.
    // False, with line.error set, when the value is not right.
    bool (*apply)(CommandLine& line, const char* value);
    bool gamesOnly = false;  // means nothing to a program that plays no game (the launcher)
};

// Every option, in the order --help lists them.
std::span<const CommandLineOption> CommandLineOptions();

// How the option is written in the help: "--seed N", "--autoplay[=N]".
std::string OptionUsage(const CommandLineOption& option);

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The option summary that --help prints for the program of that name; one
// that plays no game leaves out the options only a game takes.
std::string CommandLineHelp(const char* program, bool playsGames);

// The line --version prints: the program's name and version.
std::string VersionLine(const char* program);
