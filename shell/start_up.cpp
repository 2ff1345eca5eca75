#include "shell/start_up.h"

#include <cstdio>
#include <ctime>

#include "display/surface_ops.h"
#include "game/random.h"
#include "input/mouse.h"
#include "platform/direct_draw.h"
#include "platform/message_box.h"
#include "platform/qv.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"
#include "runtime/shell_state.h"
#include "shell/music_start.h"
#include "shell/splash.h"
#include "shell/window_config.h"
#include "sound/sound_manager.h"

namespace {

// Set when start-up ended because the window was closed during the splash:
// the player's choice, not a failure.
bool g_closedDuringSplash = false;

bool DesktopHasEnoughColours() {
    const int32_t bits = plat::GetDesktopBitsPerPixel();
    if (bits >= 15) return true;
    // 0 is what a display whose mode cannot be read reports: not a depth.
    plat::ShowStopMessage(bits <= 0 ? "The colour depth of the desktop display could not be read."
                                    : "TovaliGames need the desktop display set to High Color (16 bits or higher).");
    return false;
}

bool DisplayDeviceWorks() {
    plat::DirectDraw* test = plat::DirectDraw::Create();
    if (test == nullptr) {
        plat::ShowStopMessage("DirectX not installed. Program needs DirectX 5 or higher to run");
        return false;
    }
    test->Release();
    return true;
}

void SetUpMouse() {
    g_Mouse.LoadCursorImage(nullptr);
    g_Mouse.SelectCursor(0);
    g_Mouse.Hide();
    g_Mouse.SetPageAlternation(0);
    g_Mouse.SetMessageMode(1);
    int32_t x = 0, y = 0;
    plat::GetCursorPos(&x, &y);
    g_Mouse.SetPosition(x, y);
}

}  // namespace

bool OpenDisplayPages() {
    const int displayUp = g_Shell.fullscreen
                              ? QVInitDirectX(g_Shell.window, kPictureWidth, kPictureHeight, 16)
                              : QVInitDirectX(g_Shell.window, g_Shell.clientWidth, g_Shell.clientHeight);
    if (!displayUp) {
        QVPrintError();
        return false;
    }
    g_Shell.directDraw = QVGetLPDD();
    QVGetDDInfo(&g_Shell.primary, &g_Shell.page.back);
    FillSurface(g_Shell.page.back, 0);
    return true;
}

void CloseDisplayPages() {
    QVFreeDirectX();
    g_Shell.directDraw = nullptr;
    g_Shell.primary = g_Shell.page.back = nullptr;
}

bool OpenProgramWindow(void* instance, int showCommand) {
    g_Shell.fullscreen = ReadSetupNumber("fullscreen", "0") == 1;
    if (!DesktopHasEnoughColours()) return false;
    if (!DisplayDeviceWorks()) return false;

    g_Shell.instance = instance;
    QVSetInstance(instance);
    if (!RegisterWindowClass(instance)) return false;
    if (!CreateMainWindow(instance, showCommand)) return false;

    ApplyScalingSetting();
    if (!OpenDisplayPages()) return false;

    QVSetInstance(instance);
    QVInitMouse();
    // Every wait and animation runs on this clock; without it the splash
    // would wait for ever.
    if (!FrameTimer::Start()) {
        plat::ShowStopMessage("The game's frame timer could not be started.");
        return false;
    }

    // Without a sound device the game plays silently, as it would with both
    // switches off; one line says so.
    if (!g_SoundManager.Init(g_Shell.window, 200)) {
        std::fputs("No sound device: playing without sound\n", stderr);
    }
    g_SoundManager.EnableSFX(ReadOptionSwitch("SFX"));

    SetUpMouse();
    QVAcquireMouse(1);
    SeedRandom(g_Shell.seedGiven ? g_Shell.seed : static_cast<uint32_t>(std::time(nullptr)));
    QVInitFont(g_Shell.window);
    QVInitKeyboard();
    return true;
}

bool StartUp(void* instance, void*, const char*, int showCommand) {
    g_closedDuringSplash = false;
    if (!OpenProgramWindow(instance, showCommand)) return false;
    // The game's own music; its launcher plays none.
    StartMusic(g_Shell.window);
    ShowSplash();
    // Closing the window during the splash has already shut everything down.
    g_closedDuringSplash = !plat::IsWindow(g_Shell.window);
    return !g_closedDuringSplash;
}

bool StartUpFailed() { return !g_closedDuringSplash; }
