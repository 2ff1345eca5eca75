#pragma once
// The multimedia command-string interface through which the game plays an MP3
// file as music: "open <file> alias <name>", "play <name> [notify]", "pause",
// "resume", "close". When a play with notify ends, the notify window receives
// MM_MCINOTIFY.
#include <string>
#include <vector>

#include "platform/window_handle.h"

namespace plat {

// Returns 0 on success, non-zero for an error (the game never reads it).
int MciSendString(const char* command, WindowHandle notifyWindow);

// The commands sent so far, for tests.
const std::vector<std::string>& MciCommandLog();
void ClearMciCommandLog();

}  // namespace plat
