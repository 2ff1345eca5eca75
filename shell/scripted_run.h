#pragma once
// Runs driven by a script rather than a person: a replayed recording or the
// built-in player feeding input once per frame, the input received written
// to a recording, and a report of the game's state when the program ends.
#include <string>

#include "base/status.h"
#include "shell/command_line.h"

// Reads the replay, opens the recording and hooks the feeding into every
// presented frame. Failed (the file, the line, what is wrong) when a file
// cannot be used; nothing has started then.
Status PrepareScriptedRun(const CommandLine& line);
// Writes the report, if one was asked for, and closes the recording. Failed
// when the report cannot be written.
Status FinishScriptedRun(int exitStatus);

// A program other than the game (the launcher) writes a report of its own.
using ReportWriter = Status (*)(const std::string& path, int exitStatus);
void SetReportWriter(ReportWriter write);
