#pragma once
// One window message: its numbers and parameters with the Windows values,
// the key codes, and the record the queues hold.
#include <cstdint>

#include "platform/window_handle.h"

namespace plat {

// Message numbers and parameters, with the Windows values.
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
// A typed character while text input is on (platform/text_input.h): wParam
// is its Unicode code point (UTF-32), one message per character; lParam is 0.
constexpr uint32_t WM_UNICHAR = 0x0109;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t MM_MCINOTIFY = 0x03B9;

constexpr uintptr_t WA_INACTIVE = 0;
constexpr uintptr_t WA_ACTIVE = 1;
constexpr uintptr_t WA_CLICKACTIVE = 2;
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MAXIMIZED = 2;
constexpr uintptr_t SC_KEYMENU = 0xF100;

constexpr int VK_BACK = 0x08;  // Backspace
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;

struct Message {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

constexpr intptr_t MakeLParam(int32_t low, int32_t high) {
    return static_cast<intptr_t>((static_cast<uint32_t>(low) & 0xFFFF) |
                                 ((static_cast<uint32_t>(high) & 0xFFFF) << 16));
}
constexpr int32_t LowWord(intptr_t v) { return static_cast<int32_t>(v & 0xFFFF); }
constexpr int32_t HighWord(intptr_t v) { return static_cast<int32_t>((v >> 16) & 0xFFFF); }

}  // namespace plat
