// Writing keys of an INI file, keeping every other line as it stands.
#include <strings.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/failure.h"
#include "platform/file_replacement.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/regular_file.h"

namespace plat {

namespace {

// Settings files are a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// The section a "[name]" line opens, or false for any other line.
bool SectionOf(const std::string& line, std::string* name) {
    const std::string text = Trimmed(line);
    if (text.size() < 2 || text.front() != '[') return false;
    const size_t close = text.find(']');
    if (close == std::string::npos) return false;
    *name = Trimmed(text.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line, or false.
bool KeyOf(const std::string& line, std::string* key) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    *key = Trimmed(line.substr(0, equals));
    return true;
}

// The file's lines; a missing file has none. False when the file is there
// but cannot be read whole (no permission, not a regular file, a read
// error, too large): writing back what was read would lose the rest.
bool ReadLines(const std::string& path, std::vector<std::string>* lines) {
    std::FILE* file = OpenRegularStream(path, "rb");
    if (file == nullptr) return errno == ENOENT;
    std::string text;
    char block[4096];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0 && text.size() <= kMaxSettingsBytes) {
        text.append(block, got);
    }
    const bool whole = !std::ferror(file) && text.size() <= kMaxSettingsBytes;
    std::fclose(file);
    if (!whole) return Fail(path + ": cannot be read whole, so it is not written over");
    // A line a newline ends, and the text after the last one if any.
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines->push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

bool WriteWhole(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return ReplaceFile(path, text.data(), text.size());
}

// Sets the entry's key in lines; false when the key was there and is kept.
bool SetEntry(std::vector<std::string>* lines, const ProfileEntry& entry) {
    const std::string text = entry.key + "=" + entry.value;
    bool inSection = false;
    size_t sectionEnd = lines->size();  // where a missing key is added
    bool sectionFound = false;
    for (size_t i = 0; i < lines->size(); ++i) {
        std::string name;
        if (SectionOf((*lines)[i], &name)) {
            if (inSection) {
                sectionEnd = i;
                break;
            }
            inSection = SameName(name, entry.section.c_str());
            sectionFound |= inSection;
            continue;
        }
        std::string lineKey;
        if (inSection && KeyOf((*lines)[i], &lineKey) && SameName(lineKey, entry.key.c_str())) {
            if (entry.onlyWhenMissing) return false;
            (*lines)[i] = text;
            return true;
        }
    }
    if (sectionFound) {
        // After the section's last non-blank line.
        while (sectionEnd > 0 && Trimmed((*lines)[sectionEnd - 1]).empty()) --sectionEnd;
        lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(sectionEnd), text);
        return true;
    }
    lines->push_back("[" + entry.section + "]");
    lines->push_back(text);
    return true;
}

}  // namespace

bool WriteProfileStrings(const std::vector<ProfileEntry>& entries, const char* file) {
    // The settings are read where they are found (perhaps the game's own
    // folder) and written where this player may write them.
    const std::string readPath = ResolvePath(file), path = ResolveWritePath(file);
    std::vector<std::string> lines;
    if (!ReadLines(readPath, &lines)) return false;
    bool changed = false;
    for (const ProfileEntry& entry : entries) changed |= SetEntry(&lines, entry);
    if (!changed && readPath == path) return true;
    return WriteWhole(path, lines);
}

bool WriteProfileString(const char* section, const char* key, const char* value, const char* file) {
    return WriteProfileStrings({{section, key, value}}, file);
}

}  // namespace plat
