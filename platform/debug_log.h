#pragma once
// A printf-style debug log to "debug.log", off unless the environment sets
// REEF_DEBUG_LOG=1. The file is created at the first message of a run and
// each message is flushed, so nothing is lost if the game stops abruptly.
#include "base/status.h"

void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Notes why something the game shows or plays (a picture, a sound) was left
// out; nothing for a success.
inline void NoteLeftOut(const Status& loaded) {
    if (!loaded.Ok()) DebugLog("left out: %s\n", loaded.Why().c_str());
}
