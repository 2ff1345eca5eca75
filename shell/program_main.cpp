#include "shell/program_main.h"

#include <cstdio>
#include <new>

#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/failure.h"
#include "platform/message_box.h"
#include "platform/output_files.h"
#include "platform/screenshot.h"
#include "platform/video_driver.h"
#include "platform/window.h"
#include "runtime/shell_state.h"
#include "shell/entry.h"
#include "shell/game_folder.h"
#include "shell/scripted_run.h"

namespace {

// Where a file's data could not be allocated the file counts as not loaded;
// memory that runs out anywhere else ends the program, saying so.
int SayOutOfMemory() {
    constexpr const char* kText = "There is not enough memory; the game cannot go on.";
    try {
        plat::ShowStopMessage(kText);
    } catch (const std::bad_alloc&) {
        // Not even a message box's worth is left: the plain line still goes out.
        std::fprintf(stderr, "Error: %s\n", kText);
    }
    return kStartUpFailedStatus;
}

int Run(const ProgramRun& program, int argc, char** argv) {
    CommandLine line = ParseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", program.name, line.error.c_str(),
                     CommandLineHelp(program.name, program.playsGames).c_str());
        return 2;
    }
    if (!program.playsGames && line.autoplayGames > 0) {
        std::fprintf(stderr, "%s: --autoplay means nothing here: %s plays no game; give it to reefhoard\n",
                     program.name, program.name);
        return 2;
    }
    if (line.help) {
        std::fputs(CommandLineHelp(program.name, program.playsGames).c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::fputs(VersionLine(program.name).c_str(), stdout);
        return 0;
    }

    if (const Status entered = EnterGameFolder(line); !entered) {
        std::fprintf(stderr, "%s: %s\n", program.name, entered.Why().c_str());
        return 2;
    }
    plat::Backend backend = plat::FindBackend("headless")->backend;
    std::string error;
    if (!line.headless && !plat::BackendFromEnvironment(&backend, &error)) {
        std::fprintf(stderr, "%s: %s\n", program.name, error.c_str());
        return 2;
    }
    if (const Status prepared = PrepareScriptedRun(line); !prepared) {
        std::fprintf(stderr, "%s: %s\n", program.name, prepared.Why().c_str());
        return 2;
    }

    plat::UseBackend(backend);
    if (!plat::Video().Open()) {
        std::fprintf(stderr, "%s: no display could be opened (%s); use --headless to run without one\n",
                     program.name, plat::LastFailure().c_str());
        return 1;
    }
    if (!line.audioOut.empty()) plat::SetAudioCaptureFile(line.audioOut);
    plat::SetScreenshotFile(line.screenshot);
    plat::SetFrameLimit(line.frames);
    g_Shell.seedGiven = line.seedGiven;
    g_Shell.seed = line.seed;
    int status = program.run(line);
    // A file asked for on the command line that could not be written has
    // been reported and removed; the run did not do what it was asked.
    if (status == 0 && plat::OutputFailed()) status = 1;
    if (const Status finished = FinishScriptedRun(status); !finished) {
        std::fprintf(stderr, "%s: %s\n", program.name, finished.Why().c_str());
        status = 1;
    }
    if (status == 0 && plat::OutputFailed()) status = 1;
    return status;
}

}  // namespace

int RunProgram(const ProgramRun& program, int argc, char** argv) {
    // The program's work, the report and the files written after it all
    // allocate.
    try {
        return Run(program, argc, argv);
    } catch (const std::bad_alloc&) {
        return SayOutOfMemory();
    }
}
