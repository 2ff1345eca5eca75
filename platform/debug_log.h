#pragma once
// A printf-style debug log to "debug.log", off unless the environment sets
// REEF_DEBUG_LOG=1. The file is created at the first message of a run and
// each message is flushed, so nothing is lost if the game stops abruptly.
void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
