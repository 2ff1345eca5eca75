// The whole game, headless, in frames per second: the idle board, and games
// played by the built-in player (waves, panels and all). Beside them the
// per-frame work that matters most: drawing every cell into the background
// and restoring fifty rectangles after a flip.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "display/dirty_rect_manager.h"
#include "game/board_scene.h"
#include "game/game.h"
#include "platform/backend.h"
#include "platform/window.h"
#include "runtime/message_pump.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "shell/command_line.h"
#include "shell/scripted_run.h"
#include "shell/start_up.h"

namespace {

namespace fs = std::filesystem;

// The generated game files linked into a scratch folder (the game writes its
// high scores where it runs), without the splash and its five-second wait.
fs::path MakeGameFolder() {
    char pattern[] = "/tmp/reef-bench-XXXXXX";
    const fs::path folder = mkdtemp(pattern);
    const fs::path from(REEF_GAME_FOLDER);
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".bmp" && ext != ".wav" && ext != ".dat")) continue;
        if (entry.path().filename() == "TovaliSplash.bmp" || entry.path().filename() == "hiscore.dat") continue;
        const fs::path target = folder / fs::relative(entry.path(), from);
        fs::create_directories(target.parent_path());
        fs::create_symlink(entry.path(), target);
    }
    return folder;
}

void Frames(benchmark::State& state) {
    const int64_t before = plat::PresentedFrameCount();
    for (auto _ : state) {
        PumpMessages();
        g_Application.RunFrame(1);
    }
    state.counters["presented_per_s"] =
        benchmark::Counter(static_cast<double>(plat::PresentedFrameCount() - before), benchmark::Counter::kIsRate);
}

void BM_IdleBoardFrame(benchmark::State& state) { Frames(state); }
BENCHMARK(BM_IdleBoardFrame)->Unit(benchmark::kMicrosecond);

void BM_RedrawAllCells(benchmark::State& state) {
    for (auto _ : state) {
        g_Game.board.Redraw(true);
        // The rectangles the drawing reported would be restored by the next
        // two frames; they are dropped here so they do not pile up.
        state.PauseTiming();
        for (int page = 0; page < 2; ++page) {
            g_DirtyRects.ClearOneShots();
            g_DirtyRects.FlipPage();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RedrawAllCells)->Unit(benchmark::kMicrosecond);

void BM_RestoreFiftyRects(benchmark::State& state) {
    plat::Surface* back = g_Shell.page.back;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 50; ++i) {
            g_DirtyRects.AddRectFlags(40 + (i % 10) * 50, 80 + (i / 10) * 90, 24, 20, DirtyRect::kOneShot,
                                      DirtyRect::kFromBackground);
        }
        state.ResumeTiming();
        g_DirtyRects.Restore(back);
    }
}
BENCHMARK(BM_RestoreFiftyRects)->Unit(benchmark::kMicrosecond);

// Runs last: the player stays installed for the rest of the process.
void BM_AutoplayFrame(benchmark::State& state) {
    static bool playing = false;
    if (!playing) {
        CommandLine line;
        line.autoplayGames = 1000000;
        line.seed = 7;
        if (const Status prepared = PrepareScriptedRun(line); !prepared) {
            state.SkipWithError(prepared.Why().c_str());
        }
        playing = true;
    }
    Frames(state);
}
BENCHMARK(BM_AutoplayFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    plat::UseBackend(plat::Backend::Headless);
    const fs::path folder = MakeGameFolder();
    fs::current_path(folder);
    g_Shell.seedGiven = true;
    g_Shell.seed = 7;
    if (!StartUp(nullptr, nullptr, "", 0)) return 1;
    g_Application.SetDisplay(g_Shell.directDraw, &g_Shell.page);
    g_Application.AddScene(&g_BoardScene);
    g_Application.SelectScene("treasure");

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path("/");
    fs::remove_all(folder);
    return 0;
}
