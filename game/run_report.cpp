#include "game/run_report.h"

#include <cstdio>

#include "game/game.h"
#include "platform/output_files.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"

void RunReport::Capture() {
    if (g_Game.highScores.count > 0) best_ = g_Game.highScores.TopScore();
}

Status RunReport::Write(const std::string& path, int exitStatus) const {
    const Board& board = g_Game.board;
    char text[512];
    const int length = std::snprintf(
        text, sizeof text,
        "state=%d\nscore=%d\nround=%d\nturns=%d\nbest=%d\nmap=%d\ntreasure_left=%d\n"
        "frames=%lld\nclock_ms=%u\nexit=%d\n",
        static_cast<int>(g_Game.GetState()), board.score, board.round + 1, board.turnsLeft, best_, board.mapIndex,
        board.treasureLeft, static_cast<long long>(plat::PresentedFrameCount()), FrameTimer::Now(), exitStatus);
    // Written whole or not at all: no cut report is left to be taken for a whole one.
    return WriteReportFile(path, text, static_cast<std::size_t>(length));
}

Status WriteReportFile(const std::string& path, const char* text, std::size_t size) {
    std::string why;
    if (plat::WriteWholeFile(path, text, size, &why)) return Status();
    return Status::Failed(path + ": could not be written completely (" + why + ")");
}
