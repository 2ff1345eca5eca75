// The INI parser of the web build (see include/ini.h). Lines are at most 200
// bytes, as the desktop's parser reads them; a line starting with ';' or '#'
// is a comment, names and values lose the blanks around them, and a byte
// order mark before the first line is skipped.
#include <ini.h>

#include <cctype>
#include <cstring>
#include <string>

#include "platform/web/web_tasks.h"

namespace {

constexpr int kMaxLine = 200;

std::string Trimmed(const char* begin, const char* end) {
    while (begin < end && std::isspace(static_cast<unsigned char>(*begin))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
    return std::string(begin, end);
}

}  // namespace

extern "C" int ini_parse_stream(ini_reader reader, void* stream, ini_handler handler, void* user) {
    // The programs read their settings many times as they start, each a
    // look through the file system: the browser has its turn between.
    plat::YieldIfHeldLong();
    char line[kMaxLine];
    std::string section;
    int number = 0;
    int firstError = 0;
    while (reader(line, kMaxLine, stream) != nullptr) {
        ++number;
        const char* start = line;
        if (number == 1 && std::strncmp(start, "\xEF\xBB\xBF", 3) == 0) start += 3;
        const std::string text = Trimmed(start, start + std::strlen(start));
        if (text.empty() || text[0] == ';' || text[0] == '#') continue;
        bool ok = true;
        if (text[0] == '[') {
            const size_t close = text.find(']');
            if (close == std::string::npos) {
                ok = false;
            } else {
                section = text.substr(1, close - 1);
            }
        } else {
            const size_t split = text.find_first_of("=:");
            if (split == std::string::npos) {
                ok = false;
            } else {
                const std::string name = Trimmed(text.data(), text.data() + split);
                const std::string value = Trimmed(text.data() + split + 1, text.data() + text.size());
                ok = handler(user, section.c_str(), name.c_str(), value.c_str()) != 0;
            }
        }
        if (!ok && firstError == 0) firstError = number;
    }
    return firstError;
}
