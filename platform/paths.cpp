#include "platform/paths.h"

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <system_error>

#include "platform/browser_turn.h"
#include "platform/regular_file.h"

namespace plat {
namespace fs = std::filesystem;

namespace {

std::string g_userFolder;

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

// The path below base: backslashes become separators, and each component is
// taken exactly when it exists, else by a case-insensitive match in its
// parent folder, else as written.
std::string ResolveBelow(const fs::path& base, const std::string& windowsPath) {
    LetTheBrowserIn();  // a program's start looks up many files
    std::string unixPath = windowsPath;
    for (char& c : unixPath) {
        if (c == '\\') c = '/';
    }
    if (unixPath.empty()) return unixPath;

    fs::path resolved = unixPath[0] == '/' ? fs::path("/") : base;
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

// The relative path as it would lie in the player's folder; empty when there
// is no such folder or the path is absolute.
std::string InUserFolder(const std::string& windowsPath) {
    if (g_userFolder.empty() || windowsPath.empty() || windowsPath[0] == '/' || windowsPath[0] == '\\') {
        return "";
    }
    return ResolveBelow(g_userFolder, windowsPath);
}

}  // namespace

std::string ResolvePath(const std::string& windowsPath) {
    const std::string mine = InUserFolder(windowsPath);
    std::error_code ec;
    if (!mine.empty() && fs::exists(mine, ec)) return mine;
    return ResolveBelow(fs::path(), windowsPath);
}

std::FILE* OpenFile(const std::string& windowsPath, const char* mode) {
    return OpenRegularStream(ResolvePath(windowsPath), mode);
}

void SetUserFolder(const std::string& folder) { g_userFolder = folder; }

const std::string& UserFolder() { return g_userFolder; }

std::string ResolveWritePath(const std::string& windowsPath) {
    const std::string mine = InUserFolder(windowsPath);
    if (mine.empty()) return ResolveBelow(fs::path(), windowsPath);
    std::error_code ec;
    if (fs::exists(mine, ec)) return mine;
    const std::string shared = ResolveBelow(fs::path(), windowsPath);
    const fs::path folder = fs::path(shared).parent_path();
    if (CanWriteIn(folder.empty() ? "." : folder.string())) return shared;
    fs::create_directories(fs::path(mine).parent_path(), ec);
    return mine;
}

std::string PlayerDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') return (fs::path(dataHome) / "reefhoard").string();
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return (fs::path(home) / ".local/share/reefhoard").string();
    return "";
}

bool CanWriteIn(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

// It belongs to the player or to root, and neither its group nor others may
// write it. A shared or another user's folder could hold planted maps,
// pictures or settings that the game would read and write beside.
bool OnlyPlayerWrites(const std::string& folder) {
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0) return false;
    const bool owned = info.st_uid == ::getuid() || info.st_uid == 0;
    return owned && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace plat
