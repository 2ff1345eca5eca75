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
        lookup->value = value;
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
        ini_parse_file(f, MatchEntry, &lookup);
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
