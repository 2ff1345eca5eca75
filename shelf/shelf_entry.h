#pragma once
// The launcher's entry: names, the window, its one scene, the main loop.
#include <string>

#include "base/status.h"

struct CommandLine;

// 0, or 1 when the launcher could not start.
int ShelfEntry(const CommandLine& line);

// The end-of-run report: the page shown, the current player's number and
// name, the music and effects switches and the command line Play started.
Status WriteShelfReport(const std::string& path, int exitStatus);
