#include "platform/profile.h"

#include <cctype>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

namespace plat {

namespace {

std::string Lower(const char* text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Section and key in one string, in lower case: names match without regard
// to case. A newline cannot be part of either.
std::string EntryName(const char* section, const char* key) { return Lower(section) + '\n' + Lower(key); }

uint32_t CopyOut(const std::string& value, char* out, uint32_t size) {
    std::size_t n = value.size();
    if (n > size - 1) n = size - 1;
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return static_cast<uint32_t>(n);
}

}  // namespace

void ProfileFile::Keep(const char* section, const char* key, std::string value) {
    // The first of a name wins, so a later one is not taken.
    values_.emplace(EntryName(section, key), std::move(value));
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
