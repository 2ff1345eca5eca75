#include "game/run_report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "platform/output_files.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"

void RunReport::Capture() {
    if (g_Game.highScores.count > 0) best_ = g_Game.highScores.TopScore();
}

bool RunReport::Write(const std::string& path, int exitStatus, std::string* error) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = path + ": cannot be written: " + std::strerror(errno);
        return false;
    }
    const Board& board = g_Game.board;
    std::fprintf(file,
                 "state=%d\nscore=%d\nround=%d\nturns=%d\nbest=%d\nmap=%d\ntreasure_left=%d\n"
                 "frames=%lld\nclock_ms=%u\nexit=%d\n",
                 static_cast<int>(g_Game.GetState()), board.score, board.round + 1, board.turnsLeft,
                 best_, board.mapIndex, board.treasureLeft,
                 static_cast<long long>(plat::PresentedFrameCount()), FrameTimer::Now(), exitStatus);
    const bool printed = !std::ferror(file);
    const bool written = std::fclose(file) == 0 && printed;
    if (!written) {
        // No cut report is left to be taken for a whole one.
        *error = path + ": could not be written completely";
        plat::RemovePartialFile(path);
    }
    return written;
}
