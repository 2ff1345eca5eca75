// Reading a profile with Windows' own profile functions: the section names
// and each section's keys as the file lists them, and every key's value as
// GetPrivateProfileString gives it (blanks and matching quotes dropped, the
// first of a name taken), so that the game reads its settings as Windows does.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/paths.h"
#include "platform/profile.h"

// After the platform's headers: Windows' macros would rename their functions.
#include <windows.h>

namespace plat {

namespace {

// Settings files are a few hundred bytes; a list longer than this is cut.
constexpr DWORD kListBytes = 1 << 16;
constexpr DWORD kValueBytes = 4096;

// The strings of a list of zero-terminated strings that ends in an empty one.
std::vector<std::string> Strings(const std::vector<char>& list, DWORD length) {
    std::vector<std::string> strings;
    for (DWORD at = 0; at < length && list[at] != '\0';) {
        strings.emplace_back(&list[at]);
        at += static_cast<DWORD>(strings.back().size()) + 1;
    }
    return strings;
}

}  // namespace

ProfileFile::ProfileFile(const char* file) {
    // A name without a folder would be looked for in the Windows folder.
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(ResolvePath(file ? file : ""), ec);
    if (ec || !std::filesystem::is_regular_file(path, ec)) return;
    const std::string name = path.string();
    try {
        std::vector<char> list(kListBytes);
        std::string value(kValueBytes, '\0');
        const DWORD namesLength = GetPrivateProfileSectionNamesA(list.data(), kListBytes, name.c_str());
        for (const std::string& section : Strings(list, namesLength)) {
            const DWORD linesLength = GetPrivateProfileSectionA(section.c_str(), list.data(), kListBytes, name.c_str());
            for (const std::string& line : Strings(list, linesLength)) {
                const size_t equals = line.find('=');
                if (equals == std::string::npos) continue;
                std::string key = line.substr(0, equals);
                while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
                const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value.data(),
                                                              kValueBytes, name.c_str());
                Keep(section.c_str(), key.c_str(), value.substr(0, length));
            }
        }
    } catch (const std::bad_alloc&) {
        // Without the memory for all of its values, the file reads as missing.
        values_.clear();
    }
}

}  // namespace plat
