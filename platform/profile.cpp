#include "platform/profile.h"

#include <ini.h>
#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>

#include "platform/paths.h"

namespace plat {

namespace {

// inih as Debian builds it reads a few things differently from the Windows
// profile functions; the reader and the handler below make up for them:
// indented lines are ordinary lines (not continuations), a ';' inside a
// value is part of it (not a comment), and a value in matching quotes loses
// them. Lines are cut to the parser's line length.
constexpr char kHiddenSemicolon = '\x1F';

// Settings files are a few hundred bytes; only this much of a file is read,
// so that no file, however large, makes a lookup slow.
constexpr long kMaxProfileBytes = 1 << 20;

struct LineSource {
    std::FILE* file;
    long bytesLeft;
};

// Hands inih one line at a time without its indentation, cut to the line
// length it asks for: the rest of a longer line is skipped, never held.
char* ReadLine(char* out, int size, void* stream) {
    auto* source = static_cast<LineSource*>(stream);
    int length = 0;
    bool any = false;
    bool indentation = true;
    int c;
    while (source->bytesLeft > 0 && (c = std::fgetc(source->file)) != EOF) {
        --source->bytesLeft;
        any = true;
        if (indentation && (c == ' ' || c == '\t')) continue;
        indentation = false;
        if (length + 1 < size) {
            out[length] = length > 0 && c == ';' ? kHiddenSemicolon : static_cast<char>(c);
            ++length;
        }
        if (c == '\n') break;
    }
    if (!any) return nullptr;
    out[length] = '\0';
    return out;
}

std::string WindowsValue(const char* raw) {
    std::string value = raw;
    for (char& c : value) {
        if (c == kHiddenSemicolon) c = ';';
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string Lower(const char* text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Section and key in one string, in lower case: names match without regard
// to case. A newline cannot be part of either.
std::string EntryName(const char* section, const char* key) { return Lower(section) + '\n' + Lower(key); }

struct Entries {
    std::unordered_map<std::string, std::string>* values;
    bool outOfMemory;
};

int KeepEntry(void* user, const char* section, const char* name, const char* value) {
    auto* entries = static_cast<Entries*>(user);
    // Nothing may be thrown back through the C parser.
    try {
        // The first of a name wins, so a later one is not taken.
        entries->values->emplace(EntryName(section, name), WindowsValue(value));
    } catch (const std::bad_alloc&) {
        entries->outOfMemory = true;
        return 0;
    }
    return 1;  // keep parsing: a malformed line later must not hide a key
}

uint32_t CopyOut(const std::string& value, char* out, uint32_t size) {
    std::size_t n = value.size();
    if (n > size - 1) n = size - 1;
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return static_cast<uint32_t>(n);
}
}  // namespace

ProfileFile::ProfileFile(const char* file) {
    std::FILE* f = OpenFile(file ? file : "", "r");
    if (f == nullptr) return;
    LineSource source{f, kMaxProfileBytes};
    Entries entries{&values_, false};
    ini_parse_stream(ReadLine, &source, KeepEntry, &entries);
    std::fclose(f);
    // Without the memory for all of its values, the file reads as missing.
    if (entries.outOfMemory) values_.clear();
}

uint32_t ProfileFile::GetString(const char* section, const char* key, const char* defaultValue, char* out,
                                uint32_t size) const {
    if (out == nullptr || size == 0) return 0;
    const auto found = values_.find(EntryName(section ? section : "", key ? key : ""));
    if (found != values_.end()) return CopyOut(found->second, out, size);
    return CopyOut(defaultValue ? defaultValue : "", out, size);
}

uint32_t GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* out, uint32_t size, const char* file) {
    if (out == nullptr || size == 0) return 0;
    return ProfileFile(file).GetString(section, key, defaultValue, out, size);
}

int32_t LeadingInt(const char* text) {
    if (text == nullptr) return 0;
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    int64_t value = 0;
    while (std::isdigit(static_cast<unsigned char>(*text))) {
        // Saturate rather than overflow on absurdly long numbers.
        if (value < INT32_MAX) value = value * 10 + (*text - '0');
        ++text;
    }
    if (value > INT32_MAX) value = INT32_MAX;
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace plat
