// Paths on Windows are taken as they are written: its file systems ignore
// case and take backslashes, so nothing needs matching. The player's folder
// works as on other systems.
#include "platform/paths.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

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

// Windows answers whether a file can be made in a folder only by trying: its
// access checks say nothing of a folder's permissions.
bool CanWriteIn(const std::string& folder) {
    const fs::path probe = (folder.empty() ? fs::path(".") : fs::path(folder)) /
                           ("reefhoard-write-probe-" + std::to_string(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Windows guards folders with access lists rather than owners and modes: a
// folder the player may write is taken as the player's own, and one shared
// for everyone (Program Files) is not writable by a player.
bool OnlyPlayerWrites(const std::string& folder) { return CanWriteIn(folder); }

}  // namespace plat
