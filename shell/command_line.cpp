#include "shell/command_line.h"

#include <algorithm>
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

bool Refuse(CommandLine& line, const char* wants, const char* value) {
    line.error = std::string(wants) + ", not " + value;
    return false;
}

bool TakeAutoplay(CommandLine& line, const char* value) {
    unsigned long games = 1;
    if (value && (!ParseNumber(value, 100000, &games) || games == 0)) {
        return Refuse(line, "--autoplay wants a number of games from 1 to 100000", value);
    }
    line.autoplayGames = static_cast<int32_t>(games);
    return true;
}

bool TakeSeed(CommandLine& line, const char* value) {
    unsigned long seed = 0;
    if (!ParseNumber(value, UINT32_MAX, &seed)) {
        return Refuse(line, "--seed wants a whole number from 0 to 4294967295", value);
    }
    line.seedGiven = true;
    line.seed = static_cast<uint32_t>(seed);
    return true;
}

bool TakeFrames(CommandLine& line, const char* value) {
    unsigned long frames = 0;
    if (!ParseNumber(value, INT32_MAX, &frames) || frames == 0) {
        return Refuse(line, "--frames wants a positive whole number", value);
    }
    line.frames = static_cast<int32_t>(frames);
    return true;
}

// An option whose value is a file or folder name kept as given.
template <std::string CommandLine::*kField>
bool TakeName(CommandLine& line, const char* value) {
    line.*kField = value;
    return true;
}

template <bool CommandLine::*kField>
bool TakeSwitch(CommandLine& line, const char*) {
    line.*kField = true;
    return true;
}

constexpr CommandLineOption kOptions[] = {
    {"--headless", "", false, "run without a display or sound device\n(also REEF_BACKEND=headless)",
     TakeSwitch<&CommandLine::headless>},
    {"--seed", "N", false, "seed the random generator with N, to replay a game", TakeSeed},
    {"--frames", "N", false, "end after N frames (scripted runs, benchmarks)", TakeFrames},
    {"--screenshot", "FILE", false,
     "write the picture to FILE (BMP) on F12 and at the\nlast frame of --frames (F12 alone: screenshot-NNN.bmp)",
     TakeName<&CommandLine::screenshot>},
    {"--audio-out", "FILE", false, "headless: write the mixed sound to a WAV file", TakeName<&CommandLine::audioOut>},
    {"--record", "FILE", false, "write every input received to FILE, to replay it", TakeName<&CommandLine::record>},
    {"--replay", "FILE", false, "feed the input recorded in FILE instead of the mouse",
     TakeName<&CommandLine::replay>},
    {"--autoplay", "N", true, "let the built-in player play N games (1), then quit", TakeAutoplay, true},
    {"--report", "FILE", false, "write the game's state at the end to FILE", TakeName<&CommandLine::report>},
    {"--data", "DIR", false,
     "the game's folder (found by itself beside the program\nor in its ../share/games/reefhoard)",
     TakeName<&CommandLine::data>},
    {"--version", "", false, "show the version", TakeSwitch<&CommandLine::version>},
    {"--help", "", false, "show this help", TakeSwitch<&CommandLine::help>},
};

// The option the argument names, with the value written into it
// (--autoplay=N) in *inlineValue; null for an argument that is no option.
const CommandLineOption* FindOption(const std::string& arg, const char** inlineValue) {
    *inlineValue = nullptr;
    for (const CommandLineOption& option : kOptions) {
        const size_t length = std::strlen(option.name);
        if (arg.compare(0, length, option.name) != 0) continue;
        if (arg.size() == length) return &option;
        if (option.argumentOptional && arg[length] == '=') {
            *inlineValue = arg.c_str() + length + 1;
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

std::string CommandLineHelp(const char* program, bool playsGames) {
    size_t width = 0;
    for (const CommandLineOption& option : kOptions) width = std::max(width, OptionUsage(option).size());
    const std::string indent(2 + width + 2, ' ');
    std::string text = std::string("Usage: ") + program + " [options] [launcher folder]\n";
    for (const CommandLineOption& option : kOptions) {
        if (option.gamesOnly && !playsGames) continue;
        std::string usage = OptionUsage(option);
        text += "  " + usage + std::string(width - usage.size() + 2, ' ');
        for (const char* c = option.help; *c; ++c) text += *c == '\n' ? "\n" + indent : std::string(1, *c);
        text += '\n';
    }
    return text + "Keys: Escape quits, F1 shows the frame rate, F12 takes a screenshot.\n";
}

std::span<const CommandLineOption> CommandLineOptions() { return kOptions; }

std::string OptionUsage(const CommandLineOption& option) {
    std::string usage = option.name;
    if (*option.argument == '\0') return usage;
    if (option.argumentOptional) return usage + "[=" + option.argument + "]";
    return usage + " " + option.argument;
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = nullptr;
        const CommandLineOption* option = FindOption(arg, &value);
        if (!option) {
            if (!line.launcherDir.empty()) line.launcherDir += ' ';
            line.launcherDir += arg;
            continue;
        }
        if (*option->argument != '\0' && !option->argumentOptional) {
            if (i + 1 >= argc) {
                line.error = arg + " needs a value";
                return line;
            }
            value = argv[++i];
        }
        if (!option->apply(line, value)) return line;
    }
    if (!line.replay.empty() && line.autoplayGames > 0) {
        line.error = "--replay and --autoplay both feed the input: choose one";
    }
    return line;
}

std::string VersionLine(const char* program) { return std::string(program) + " " REEF_VERSION "\n"; }
