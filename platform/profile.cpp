#include "platform/profile.h"

#include <ini.h>
#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/paths.h"

namespace plat {

namespace {

// inih as Debian builds it reads a few things differently from the Windows
// profile functions; the reader and the handler below make up for them:
// indented lines are ordinary lines (not continuations), a ';' inside a
// value is part of it (not a comment), and a value in matching quotes loses
// them. Lines are cut to the parser's line length.
constexpr char kHiddenSemicolon = '\x1F';

struct LineSource {
    std::FILE* file;
};

char* ReadLine(char* out, int size, void* stream) {
    std::FILE* file = static_cast<LineSource*>(stream)->file;
    std::string line;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    if (line.empty()) return nullptr;
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) start = line.size();
    line.erase(0, start);
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == ';') line[i] = kHiddenSemicolon;
    }
    std::snprintf(out, static_cast<std::size_t>(size), "%s", line.c_str());
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

struct Lookup {
    const char* section;
    const char* key;
    std::string value;
    bool found = false;
};

int MatchEntry(void* user, const char* section, const char* name, const char* value) {
    auto* lookup = static_cast<Lookup*>(user);
    if (!lookup->found && strcasecmp(section, lookup->section) == 0 &&
        strcasecmp(name, lookup->key) == 0) {
        lookup->value = WindowsValue(value);
        lookup->found = true;
    }
    return 1;  // keep parsing: a malformed line later must not hide this key
}
}  // namespace

uint32_t GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* out, uint32_t size, const char* file) {
    if (out == nullptr || size == 0) return 0;
    Lookup lookup{section ? section : "", key ? key : "", {}, false};
    if (std::FILE* f = OpenFile(file ? file : "", "r")) {
        LineSource source{f};
        ini_parse_stream(ReadLine, &source, MatchEntry, &lookup);
        std::fclose(f);
    }
    const std::string value = lookup.found ? lookup.value : (defaultValue ? defaultValue : "");
    std::size_t n = value.size();
    if (n > size - 1) n = size - 1;
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return static_cast<uint32_t>(n);
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
