#include "platform/paths.h"

#include <strings.h>

#include <filesystem>
#include <system_error>

namespace plat {
namespace fs = std::filesystem;

namespace {
// The entry of folder whose name equals name without regard to case, or name
// itself when there is none.
std::string MatchInFolder(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, ec)) {
        std::string candidate = entry.path().filename().string();
        if (strcasecmp(candidate.c_str(), name.c_str()) == 0) return candidate;
    }
    return name;
}
}  // namespace

std::string ResolvePath(const std::string& windowsPath) {
    std::string unixPath = windowsPath;
    for (char& c : unixPath) {
        if (c == '\\') c = '/';
    }
    if (unixPath.empty()) return unixPath;

    fs::path resolved = unixPath[0] == '/' ? fs::path("/") : fs::path();
    std::size_t pos = 0;
    while (pos <= unixPath.size()) {
        std::size_t slash = unixPath.find('/', pos);
        if (slash == std::string::npos) slash = unixPath.size();
        std::string part = unixPath.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty()) continue;
        if (part == "." || part == "..") {
            resolved /= part;
            continue;
        }
        std::error_code ec;
        if (fs::exists(resolved / part, ec)) {
            resolved /= part;
        } else {
            resolved /= MatchInFolder(resolved, part);
        }
    }
    return resolved.string();
}

std::FILE* OpenFile(const std::string& windowsPath, const char* mode) {
    return std::fopen(ResolvePath(windowsPath).c_str(), mode);
}

}  // namespace plat
