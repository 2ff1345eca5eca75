// Paths on Windows are taken as they are written: its file systems ignore
// case and take backslashes, so nothing needs matching. The player's folder
// works as on other systems.
#include "platform/paths.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/regular_file.h"

namespace plat {
namespace fs = std::filesystem;

namespace {

std::string g_userFolder;

bool IsRelative(const std::string& path) { return !path.empty() && !fs::path(path).has_root_path(); }

// The relative path as it would lie in the player's folder; empty when there
// is no such folder or the path is not relative.
std::string InUserFolder(const std::string& windowsPath) {
    if (g_userFolder.empty() || !IsRelative(windowsPath)) return "";
    return (fs::path(g_userFolder) / windowsPath).string();
}

}  // namespace

std::string ResolvePath(const std::string& windowsPath) {
    const std::string mine = InUserFolder(windowsPath);
    std::error_code ec;
    if (!mine.empty() && fs::exists(mine, ec)) return mine;
    return windowsPath;
}

std::FILE* OpenFile(const std::string& windowsPath, const char* mode) {
    return OpenRegularStream(ResolvePath(windowsPath), mode);
}

void SetUserFolder(const std::string& folder) { g_userFolder = folder; }

const std::string& UserFolder() { return g_userFolder; }

std::string ResolveWritePath(const std::string& windowsPath) {
    const std::string mine = InUserFolder(windowsPath);
    if (mine.empty()) return windowsPath;
    std::error_code ec;
    if (fs::exists(mine, ec)) return mine;
    if (CanWriteIn(fs::path(windowsPath).parent_path().string())) return windowsPath;
    fs::create_directories(fs::path(mine).parent_path(), ec);
    return mine;
}

std::string PlayerDataFolder() {
    wchar_t appData[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK) return "";
    return (fs::path(appData) / "ReefHoard").string();
}

namespace {

// Whether the folder lies in Program Files, which Windows shares among all
// users: programs must not keep their users' files there, even where the
// system would let them (as older Windows and Wine do).
bool InProgramFiles(const fs::path& folder) {
    std::error_code ec;
    const fs::path absolute = fs::weakly_canonical(folder, ec);
    if (ec) return false;
    for (int which : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
        wchar_t shared[MAX_PATH];
        if (SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, shared) != S_OK) continue;
        const fs::path root = fs::weakly_canonical(shared, ec);
        if (ec) continue;
        const auto [rootEnd, unused] = std::mismatch(root.begin(), root.end(), absolute.begin(), absolute.end(),
                                                     [](const fs::path& a, const fs::path& b) {
                                                         return _wcsicmp(a.c_str(), b.c_str()) == 0;
                                                     });
        if (rootEnd == root.end()) return true;
    }
    return false;
}

}  // namespace

// Windows answers whether a file can be made in a folder only by trying: its
// access checks say nothing of a folder's permissions.
bool CanWriteIn(const std::string& folder) {
    const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
    if (InProgramFiles(where)) return false;
    const fs::path probe = where / ("reefhoard-write-probe-" + std::to_string(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Windows guards folders with access lists rather than owners and modes: a
// folder the player may write is taken as the player's own; Program Files,
// shared by everyone, is not.
bool OnlyPlayerWrites(const std::string& folder) { return CanWriteIn(folder); }

}  // namespace plat
