#include "shell/window_config.h"

#include "platform/profile.h"
#include "platform/window.h"
#include "shell/shell_state.h"
#include "shell/window_proc.h"

namespace {
constexpr const char* kClassName = "DirectX Class";
}

int32_t ReadSetupNumber(const char* key, const char* defaultValue) {
    char value[32];
    plat::GetProfileString("setup", key, defaultValue, value, sizeof value, kSetupFile);
    return plat::LeadingInt(value);
}

bool ReadOptionSwitch(const char* key) {
    char value[2];
    plat::GetProfileString("setup", key, "Y", value, sizeof value, kOptionsFile);
    return value[0] == 'Y';
}

bool RegisterWindowClass(void*) {
    return plat::RegisterWindowClass(
        plat::WindowClass{kClassName, plat::CS_HREDRAW | plat::CS_VREDRAW, WindowProc});
}

bool CreateMainWindow(void*, int) {
    int32_t w = 800, h = 600;
    // The default place centres an 800 by 600 window, whatever size is read next.
    int32_t x = plat::GetSystemMetric(plat::SystemMetric::ScreenWidth) / 2 - 400;
    int32_t y = plat::GetSystemMetric(plat::SystemMetric::ScreenHeight) / 2 - 300;
    const char* keys[4] = {"x", "y", "w", "h"};
    int32_t* values[4] = {&x, &y, &w, &h};
    for (int i = 0; i < 4; ++i) {
        int32_t v = ReadSetupNumber(keys[i], "-1");
        if (v != -1) *values[i] = v;
    }
    g_Shell.windowX = x;
    g_Shell.windowY = y;
    g_Shell.windowW = w;
    g_Shell.windowH = h;

    plat::WindowHandle window;
    if (ReadSetupNumber("nowindow", "0") == 1) {
        window = plat::CreateWindow(kClassName, "", plat::WS_POPUP | plat::WS_VISIBLE, x, y, w, h);
    } else if (g_Shell.fullscreen) {
        window = plat::CreateWindow(kClassName, g_Shell.displayTitle, plat::WS_POPUP, x, y, 800, 600);
    } else {
        window = plat::CreateWindow(kClassName, g_Shell.displayTitle,
                                    plat::WS_OVERLAPPED | plat::WS_CAPTION | plat::WS_SYSMENU |
                                        plat::WS_MINIMIZEBOX | plat::WS_MAXIMIZEBOX |
                                        plat::WS_VISIBLE,
                                    x, y, w, h);
    }
    g_Shell.window = window;
    if (ReadSetupNumber("ontop", "0") != 0) plat::SetWindowTopmost(window, x, y, w, h);
    if (window == nullptr) return false;

    plat::ShowWindow(window);
    plat::UpdateWindow(window);
    plat::GetClientSize(window, &g_Shell.clientWidth, &g_Shell.clientHeight);
    return true;
}
