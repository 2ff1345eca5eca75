#include "runtime/shell_state.h"

#include <cstdio>
#include <cstring>
#include <string>

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
    // The launcher, "GameShelf.exe" on Windows, is the program "GameShelf"
    // here: in the launcher's folder, else beside this program (installed,
    // both lie in games/).
    const std::string candidates[] = {std::string(g_Shell.launcherDir) + "\\GameShelf",
                                      plat::ProgramFolder() + "/GameShelf"};
    // A missing launcher is not an error: the game simply ends.
    for (const std::string& path : candidates) {
        if (plat::ShellOpen(path.c_str(), g_Shell.gameName, g_Shell.launcherDir)) return true;
    }
    return false;
}
