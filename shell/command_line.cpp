#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// A whole number from 0 to max, or false.
bool ParseNumber(const char* text, unsigned long max, unsigned long* out) {
    char* end = nullptr;
    errno = 0;
    unsigned long value = std::strtoul(text, &end, 10);
    if (*text == '\0' || *text == '-' || *end != '\0' || errno != 0 || value > max) return false;
    *out = value;
    return true;
}

// Applies an option that takes a value; false with line.error set when the
// value is not right.
bool TakeValue(CommandLine& line, const std::string& option, const char* value) {
    unsigned long number = 0;
    if (option == "--data") {
        line.data = value;
    } else if (option == "--audio-out") {
        line.audioOut = value;
    } else if (option == "--screenshot") {
        line.screenshot = value;
    } else if (option == "--record") {
        line.record = value;
    } else if (option == "--replay") {
        line.replay = value;
    } else if (option == "--report") {
        line.report = value;
    } else if (option == "--autoplay") {
        if (!ParseNumber(value, 100000, &number) || number == 0) {
            line.error = std::string("--autoplay wants a number of games from 1 to 100000, not ") + value;
            return false;
        }
        line.autoplayGames = static_cast<int32_t>(number);
    } else if (option == "--seed") {
        if (!ParseNumber(value, UINT32_MAX, &number)) {
            line.error = std::string("--seed wants a whole number from 0 to 4294967295, not ") + value;
            return false;
        }
        line.seedGiven = true;
        line.seed = static_cast<uint32_t>(number);
    } else {  // --frames
        if (!ParseNumber(value, INT32_MAX, &number) || number == 0) {
            line.error = std::string("--frames wants a positive whole number, not ") + value;
            return false;
        }
        line.frames = static_cast<int32_t>(number);
    }
    return true;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--headless") {
            line.headless = true;
        } else if (arg == "--help") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (arg == "--autoplay") {
            line.autoplayGames = 1;
        } else if (arg.rfind("--autoplay=", 0) == 0) {
            if (!TakeValue(line, "--autoplay", arg.c_str() + std::strlen("--autoplay="))) return line;
        } else if (arg == "--seed" || arg == "--audio-out" || arg == "--screenshot" ||
                   arg == "--frames" || arg == "--record" || arg == "--replay" || arg == "--report" ||
                   arg == "--data") {
            if (i + 1 >= argc) {
                line.error = arg + " needs a value";
                return line;
            }
            if (!TakeValue(line, arg, argv[++i])) return line;
        } else {
            if (!line.launcherDir.empty()) line.launcherDir += ' ';
            line.launcherDir += arg;
        }
    }
    if (!line.replay.empty() && line.autoplayGames > 0) {
        line.error = "--replay and --autoplay both feed the input: choose one";
    }
    return line;
}

const char* CommandLineHelp() {
    return "Usage: reefhoard [options] [launcher folder]\n"
           "  --headless         run without a display or sound device\n"
           "                     (also REEF_BACKEND=headless)\n"
           "  --seed N           seed the random generator with N, to replay a game\n"
           "  --frames N         end after N frames (scripted runs, benchmarks)\n"
           "  --screenshot FILE  write the picture to FILE (BMP) on F12 and at the\n"
           "                     last frame of --frames (F12 alone: screenshot-NNN.bmp)\n"
           "  --audio-out FILE   headless: write the mixed sound to a WAV file\n"
           "  --record FILE      write every input received to FILE, to replay it\n"
           "  --replay FILE      feed the input recorded in FILE instead of the mouse\n"
           "  --autoplay[=N]     let the built-in player play N games (1), then quit\n"
           "  --report FILE      write the game's state at the end to FILE\n"
           "  --data DIR         the game's folder (found by itself beside the program\n"
           "                     or in its ../share/games/reefhoard)\n"
           "  --version          show the version\n"
           "  --help             show this help\n"
           "Keys: Escape quits, F1 shows the frame rate, F12 takes a screenshot.\n";
}

const char* VersionLine() { return "reefhoard " REEF_VERSION "\n"; }
