#include "shell/scripted_run.h"

#include <memory>
#include <vector>

#include "game/autoplay.h"
#include "game/run_report.h"
#include "input/input_feed.h"
#include "input/input_recorder.h"
#include "platform/backend.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"
#include "runtime/shell_state.h"

namespace {

// A headless replay whose recording never closes the window ends by itself
// this long on the frame clock after the recording's last event: time for
// what that event started (a panel's deadline, the final tally) to play out
// and for the game to stand waiting for input nobody will give.
constexpr uint32_t kReplayIdleEndMs = 10000;

struct ScriptedRun {
    InputFeed feed;
    bool replaying = false;
    uint32_t replayEnd = 0;  // frame clock time of the recording's end
    std::unique_ptr<Autoplay> autoplay;
    RunReport report;
    std::string reportPath;
    ReportWriter writeReport = nullptr;  // null: the game's report
};

ScriptedRun g_run;

// Closes the window for a headless replay that has run out of events and
// idled past its end.
void EndIdleReplay(uint32_t now) {
    if (!g_run.replaying || !g_run.feed.Finished() || plat::CurrentBackend() != plat::Backend::Headless) return;
    if (static_cast<int32_t>(now - g_run.replayEnd) < 0) return;
    InputEvent close;
    close.kind = InputEvent::Kind::Close;
    g_run.feed.Deliver(close, g_Shell.window);
    g_run.replaying = false;
}

// After every presented frame, on the game's thread, in whatever loop is
// running: the main loop, a panel, the pause inside a wave, the tally.
void OnFrame(void*) {
    if (g_Shell.window == nullptr) return;
    g_run.feed.Run(FrameTimer::Now(), g_Shell.window);
    EndIdleReplay(FrameTimer::Now());
    if (g_run.autoplay) g_run.autoplay->OnFrame(g_run.feed, g_Shell.window);
    g_run.report.Capture();
}

}  // namespace

Status PrepareScriptedRun(const CommandLine& line) {
    if (!line.replay.empty()) {
        std::vector<InputEvent> events;
        if (Status read = ReadInputEvents(line.replay, &events); !read) return read;
        g_run.replaying = true;
        g_run.replayEnd = (events.empty() ? 0 : events.back().time) + kReplayIdleEndMs;
        g_run.feed.Load(std::move(events));
    }
    if (!line.record.empty()) {
        if (Status opened = g_InputRecorder.Open(line.record); !opened) return opened;
    }
    if (line.autoplayGames > 0) {
        g_run.autoplay = std::make_unique<Autoplay>(line.autoplayGames, line.seed);
    }
    g_run.reportPath = line.report;
    const bool scripted = !line.replay.empty() || line.autoplayGames > 0;
    // The script moves the pointer; a person's hand on the mouse would
    // change the game under it.
    plat::SetRealMouseIgnored(scripted);
    if (scripted || !line.report.empty()) plat::SetPresentHook(OnFrame, nullptr);
    return Status();
}

Status FinishScriptedRun(int exitStatus) {
    plat::SetPresentHook(nullptr, nullptr);
    g_InputRecorder.Close();
    if (g_run.reportPath.empty()) return Status();
    if (g_run.writeReport != nullptr) return g_run.writeReport(g_run.reportPath, exitStatus);
    return g_run.report.Write(g_run.reportPath, exitStatus);
}

void SetReportWriter(ReportWriter write) { g_run.writeReport = write; }
