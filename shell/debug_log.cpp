#include "shell/debug_log.h"

#include <cstdarg>
#include <cstdio>

namespace {
bool g_logging = false;
std::FILE* g_logFile = nullptr;
}  // namespace

void SetDebugLogging(bool on) { g_logging = on; }

void DebugLog(const char* format, ...) {
    if (!g_logging) return;
    if (g_logFile == nullptr) g_logFile = std::fopen("debug.log", "wb+");
    if (g_logFile == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(g_logFile, format, args);
    va_end(args);
    std::fflush(g_logFile);
}
