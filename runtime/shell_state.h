#pragma once
// The shell's global values and the small services other parts of the game
// call on it (names, the window caption, the launcher hand-off).
#include <cstdint>

#include "platform/direct_draw.h"
#include "platform/surface.h"
#include "platform/window_handle.h"
#include "runtime/frame_page.h"

struct ShellState {
    void* instance = nullptr;
    plat::WindowHandle window = nullptr;
    bool fullscreen = false;
    int32_t clientWidth = 0, clientHeight = 0;
    int32_t windowX = 0, windowY = 0, windowW = 0, windowH = 0;
    int32_t active = 0;  // scenes run only while the window is active
    bool fpsOverlay = false;
    float fps = 0.0f;
    char gameName[256] = "";
    char displayTitle[256] = "";
    char launcherDir[256] = "";
    plat::DirectDraw* directDraw = nullptr;
    plat::Surface* primary = nullptr;
    // The display's back page and what goes with it; the scenes hold a
    // pointer to it (see runtime/frame_page.h).
    FramePage page;
    // A fixed random seed from the command line, for replaying a game.
    bool seedGiven = false;
    uint32_t seed = 0;
};

extern ShellState g_Shell;

void SetGameName(const char* text);
const char* GetGameName();
void SetDisplayTitle(const char* text);
// Sets the window caption to "<display title> - <text>".
void SetTitleSuffix(const char* text);
// Longer text than the 255 characters the directory holds is cut.
void SetLauncherDir(const char* text);
// Starts the launcher (the program "GameShelf", in the launcher directory or
// beside this program) with the game's name, when there is
// one; true when it started.
bool LaunchShelf();
