#pragma once
// A printf-style debug log to "debug.log". Off unless switched on; the file is
// created at the first message of a run and each message is flushed.
void SetDebugLogging(bool on);
void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
