#pragma once
// The multimedia command-string interface through which the game plays an MP3
// file as music: "open <file> alias <name>", "play <name> [notify]",
// "pause <name>", "resume <name>", "close <name>". When a play with notify runs
// to its end, the notify window receives MM_MCINOTIFY. The sound device must
// be open (the sound library opens it) for a file to open.
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
