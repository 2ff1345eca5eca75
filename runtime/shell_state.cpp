#include "runtime/shell_state.h"

#include <cstdio>
#include <cstring>

#include "platform/process.h"
#include "platform/window.h"

ShellState g_Shell;

namespace {
template <std::size_t N>
void CopyText(char (&destination)[N], const char* text) {
    std::snprintf(destination, N, "%s", text);
}
}  // namespace

void SetGameName(const char* text) {
    if (text != nullptr) CopyText(g_Shell.gameName, text);
}

const char* GetGameName() { return g_Shell.gameName; }

void SetDisplayTitle(const char* text) {
    if (text != nullptr) CopyText(g_Shell.displayTitle, text);
}

void SetTitleSuffix(const char* text) {
    char caption[600];
    std::snprintf(caption, sizeof caption, "%s - %s", g_Shell.displayTitle, text ? text : "");
    plat::SetWindowText(g_Shell.window, caption);
}

void SetLauncherDir(const char* text) {
    if (text != nullptr) CopyText(g_Shell.launcherDir, text);
}

bool LaunchShelf() {
    if (g_Shell.launcherDir[0] == '\0') return false;
    char path[300];
    std::snprintf(path, sizeof path, "%s\\GameShelf.exe", g_Shell.launcherDir);
    // A missing launcher is not an error: the game simply ends.
    return plat::ShellOpen(path, g_Shell.gameName, g_Shell.launcherDir);
}
