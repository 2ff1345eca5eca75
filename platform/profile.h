#pragma once
// INI profile reading with the Windows semantics the game relies on: a missing
// file, section or key gives the default; section and key names match without
// regard to case; the first matching key wins; blanks around names and values
// and a pair of quotes around a value are dropped; the result is cut to the
// buffer. Lines longer than about 200 characters are cut, and only the first
// megabyte of a file is read.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace plat {

// Copies the value (or the default; null means empty) into out, at most
// size - 1 characters and a terminator. Returns the number of characters
// copied. The file name is a Windows-style path.
uint32_t GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* out, uint32_t size, const char* file);

// An INI file read once, for readers that look up many keys (an
// image-definition file lists any number of images): each lookup then costs
// no more than a search, however long the file. Lookups follow the rules of
// GetProfileString on the file as it was when read; a missing file has no keys.
class ProfileFile {
public:
    explicit ProfileFile(const char* file);
    uint32_t GetString(const char* section, const char* key, const char* defaultValue, char* out,
                       uint32_t size) const;

private:
    // Keeps a key as read from the file; the first of a name wins.
    void Keep(const char* section, const char* key, std::string value);

    std::unordered_map<std::string, std::string> values_;  // by section and key in lower case
};

// Sets the key of the section to value, as WritePrivateProfileString does:
// the key's line is replaced, or added at the end of its section, or the
// section is added at the end of the file; every other line stays as it was.
// The file is replaced whole (platform/file_replacement.h), so a failed write
// leaves the old file. False when it cannot be written, or when a file is
// there that cannot be read whole (no permission, not a regular file, too
// large to be a settings file): that one is never written over.
bool WriteProfileString(const char* section, const char* key, const char* value, const char* file);

// One key for WriteProfileStrings; onlyWhenMissing leaves a key that is
// there as it stands (for filling in defaults).
struct ProfileEntry {
    std::string section, key, value;
    bool onlyWhenMissing = false;
};

// Sets every entry as WriteProfileString does, in one replacement of the
// file, so that either all of them are written or none. Nothing is written
// when no line changes.
bool WriteProfileStrings(const std::vector<ProfileEntry>& entries, const char* file);

// The decimal integer at the start of text: leading blanks, an optional sign
// and the digits up to the first other character; no digits give 0.
int32_t LeadingInt(const char* text);

}  // namespace plat
