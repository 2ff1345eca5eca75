#include "platform/debug_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool LoggingWanted() {
    const char* value = std::getenv("REEF_DEBUG_LOG");
    return value != nullptr && std::strcmp(value, "1") == 0;
}
}  // namespace

void DebugLog(const char* format, ...) {
    static const bool logging = LoggingWanted();
    static std::FILE* file = nullptr;
    if (!logging) return;
    if (file == nullptr) file = std::fopen("debug.log", "wb+");
    if (file == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fflush(file);
}
