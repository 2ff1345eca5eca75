#include "shell/window_config.h"

#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/window.h"
#include "runtime/shell_state.h"
#include "shell/window_proc.h"

namespace {
constexpr const char* kClassName = "DirectX Class";
// A window smaller than this shows nothing useful; one larger than the
// screen (or than any screen) only costs memory.
constexpr int32_t kMinWindowWidth = 200, kMinWindowHeight = 150;
constexpr int32_t kMaxWindowSide = 16384;
// How much of the window's top edge, where its caption lies, is kept on a
// display: enough to take hold of and drag the window back.
constexpr int32_t kCaptionGrip = 100;

// The window as the run made it, to tell whether the player changed it.
plat::WindowInfo g_madeWindow{};

int32_t ClampSide(int32_t value, int32_t minimum, int32_t screen) {
    const int32_t maximum = screen > 0 ? std::min(screen, kMaxWindowSide) : kMaxWindowSide;
    return std::clamp(value, minimum, std::max(minimum, maximum));
}

bool CaptionOn(const plat::DisplayArea& d, int32_t x, int32_t y, int32_t w) {
    // Wide enough for a place read as far as the 32-bit range goes.
    const int64_t overlap = std::min<int64_t>(int64_t{x} + w, d.x + d.width) - std::max(x, d.x);
    return overlap >= kCaptionGrip && y >= d.y && y <= d.y + d.height - kCaptionGrip;
}

// A place from the settings that leaves the caption on no display is moved
// onto the primary one by the least distance that grips it again.
void KeepCaptionOnADisplay(int32_t* x, int32_t* y, int32_t w) {
    const std::vector<plat::DisplayArea> displays = plat::GetDisplayAreas();
    if (displays.empty()) return;
    for (const plat::DisplayArea& d : displays) {
        if (CaptionOn(d, *x, *y, w)) return;
    }
    const plat::DisplayArea& primary = displays.front();
    const int32_t leftmost = primary.x + kCaptionGrip - w;
    const int32_t bottom = primary.y + primary.height - kCaptionGrip;
    *x = std::clamp(*x, leftmost, std::max(leftmost, primary.x + primary.width - kCaptionGrip));
    *y = std::clamp(*y, primary.y, std::max(primary.y, bottom));
}

}  // namespace

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
    w = ClampSide(w, kMinWindowWidth, plat::GetSystemMetric(plat::SystemMetric::ScreenWidth));
    h = ClampSide(h, kMinWindowHeight, plat::GetSystemMetric(plat::SystemMetric::ScreenHeight));
    KeepCaptionOnADisplay(&x, &y, w);
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
    // The game draws one picture of a fixed size; the backend scales it to
    // the window, so the client area the game knows is the picture.
    g_Shell.clientWidth = kPictureWidth;
    g_Shell.clientHeight = kPictureHeight;
    g_madeWindow = plat::DescribeWindow(window);
    // The display start-up opens next follows the full-screen switch; the
    // window record learns of it only then.
    g_madeWindow.fullscreen = g_Shell.fullscreen;
    return true;
}

bool ReadSharpScaling() {
    char value[16];
    plat::GetProfileString("setup", "scale", "smooth", value, sizeof value, kSetupFile);
    return strcasecmp(value, "sharp") == 0;
}

void ApplyScalingSetting() {
    plat::SetPictureScaling(ReadSharpScaling() ? plat::Scaling::Sharp : plat::Scaling::Smooth);
}

Status SaveWindowSettings() {
    if (!plat::IsWindow(g_Shell.window)) return Status();
    const plat::WindowInfo now = plat::DescribeWindow(g_Shell.window);
    const bool moved = now.x != g_madeWindow.x || now.y != g_madeWindow.y;
    const bool resized = now.width != g_madeWindow.width || now.height != g_madeWindow.height;
    std::vector<plat::ProfileEntry> changes;
    auto change = [&](const char* key, int32_t value) {
        changes.push_back({"setup", key, std::to_string(value)});
    };
    if (now.fullscreen != g_madeWindow.fullscreen) change("fullscreen", now.fullscreen ? 1 : 0);
    // A full-screen window's size is the screen's: the window's own is kept.
    if (!now.fullscreen && (moved || resized)) {
        change("x", now.x);
        change("y", now.y);
        change("w", now.width);
        change("h", now.height);
    }
    if (changes.empty()) return Status();
    return plat::StatusOf(plat::WriteProfileStrings(changes, kSetupFile));
}
