#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--headless") == 0) {
            line.headless = true;
        } else if (std::strcmp(arg, "--help") == 0) {
            line.help = true;
        } else if (std::strcmp(arg, "--seed") == 0 || std::strcmp(arg, "--audio-out") == 0) {
            if (i + 1 >= argc) {
                line.error = std::string(arg) + " needs a value";
                return line;
            }
            const char* value = argv[++i];
            if (arg[2] == 'a') {
                line.audioOut = value;
                continue;
            }
            char* end = nullptr;
            errno = 0;
            unsigned long seed = std::strtoul(value, &end, 10);
            if (*value == '\0' || *end != '\0' || errno != 0 || seed > UINT32_MAX) {
                line.error = std::string("--seed wants a whole number from 0 to 4294967295, not ") + value;
                return line;
            }
            line.seedGiven = true;
            line.seed = static_cast<uint32_t>(seed);
        } else {
            if (!line.launcherDir.empty()) line.launcherDir += ' ';
            line.launcherDir += arg;
        }
    }
    return line;
}

const char* CommandLineHelp() {
    return "Usage: reefhoard [options] [launcher folder]\n"
           "  --headless         run without a display or sound device\n"
           "                     (also REEF_BACKEND=headless)\n"
           "  --seed N           seed the random generator with N, to replay a game\n"
           "  --audio-out FILE   headless: write the mixed sound to a WAV file\n"
           "  --help             show this help\n"
           "Keys: Escape quits, F1 shows the frame rate.\n";
}
