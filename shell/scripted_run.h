#pragma once
// Runs driven by a script rather than a person: a replayed recording or the
// built-in player feeding input once per frame, the input received written
// to a recording, and a report of the game's state when the program ends.
#include <string>

#include "shell/command_line.h"

// Reads the replay, opens the recording and hooks the feeding into every
// presented frame. False with error set (the file, the line, what is wrong)
// when a file cannot be used; nothing has started then.
bool PrepareScriptedRun(const CommandLine& line, std::string* error);
// Writes the report, if one was asked for, and closes the recording. False
// with error set when the report cannot be written.
bool FinishScriptedRun(int exitStatus, std::string* error);

// A program other than the game (the launcher) writes a report of its own.
using ReportWriter = bool (*)(const std::string& path, int exitStatus, std::string* error);
void SetReportWriter(ReportWriter write);
