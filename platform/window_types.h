#pragma once
// What the window functions take and return: styles, the window procedure,
// the window class, the system metrics and where displays and windows lie.
#include <cstdint>
#include <string>

#include "platform/window_handle.h"

namespace plat {

// Window styles, with the Windows values.
constexpr uint32_t WS_OVERLAPPED = 0x00000000;
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;

using WindowProc = intptr_t (*)(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);

struct WindowClass {
    const char* name;
    uint32_t style;
    WindowProc procedure;
};

enum class SystemMetric { ScreenWidth, ScreenHeight, SizingFrameHeight, SmallCaptionHeight };

// Where one display lies on the desktop, in screen pixels.
struct DisplayArea {
    int32_t x, y, width, height;
};

// Everything the platform knows of a window, for tests and diagnostics.
struct WindowInfo {
    std::string title;
    uint32_t style;
    int32_t x, y, width, height;
    bool visible;
    bool topmost;
    bool focused;
    bool fullscreen;
};

}  // namespace plat
