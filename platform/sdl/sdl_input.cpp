#include "platform/sdl/sdl_input.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/screenshot.h"
#include "platform/sdl/sdl_window.h"
#include "platform/utf8.h"

namespace plat {

namespace {

int VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    switch (key) {
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_RETURN: return VK_RETURN;
        case SDLK_TAB: return VK_TAB;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_HOME: return VK_HOME;
        case SDLK_END: return VK_END;
        default: return 0;
    }
}

SDL_Scancode ScancodeOf(int vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (vk - 'A'));
    if (vk >= '1' && vk <= '9') return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vk - '1'));
    if (vk == '0') return SDL_SCANCODE_0;
    if (vk >= 0x70 && vk <= 0x7B) return static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (vk - 0x70));
    switch (vk) {
        case VK_ESCAPE: return SDL_SCANCODE_ESCAPE;
        case VK_SPACE: return SDL_SCANCODE_SPACE;
        case VK_RETURN: return SDL_SCANCODE_RETURN;
        case VK_TAB: return SDL_SCANCODE_TAB;
        case VK_LEFT: return SDL_SCANCODE_LEFT;
        case VK_UP: return SDL_SCANCODE_UP;
        case VK_RIGHT: return SDL_SCANCODE_RIGHT;
        case VK_DOWN: return SDL_SCANCODE_DOWN;
        case VK_MENU: return SDL_SCANCODE_LALT;
        case VK_CONTROL: return SDL_SCANCODE_LCTRL;
        case VK_BACK: return SDL_SCANCODE_BACKSPACE;
        case VK_DELETE: return SDL_SCANCODE_DELETE;
        case VK_HOME: return SDL_SCANCODE_HOME;
        case VK_END: return SDL_SCANCODE_END;
        default: return SDL_SCANCODE_UNKNOWN;
    }
}

void PostSize(Window& w) {
    NativeWindow& n = Native(w);
    int width = 0, height = 0;
    SDL_GetWindowSize(n.window.get(), &width, &height);
    w.width = width;
    w.height = height;
    n.stale = true;
    ChooseScaleMode(n);
    const bool maximized = (SDL_GetWindowFlags(n.window.get()) & SDL_WINDOW_MAXIMIZED) != 0;
    PostToWindow(w, WM_SIZE, maximized ? SIZE_MAXIMIZED : SIZE_RESTORED, MakeLParam(width, height));
}

void ToggleFullScreen(Window& w) {
    NativeWindow& n = Native(w);
    const bool full = IsFullScreen(n);
    if (full) {
        LeaveFullScreen(n);
    } else {
        EnterFullScreen(n);
    }
    w.fullscreen = !full;
    PostSize(w);
}

// Keys pressed since the game last asked about them. A tap that goes down
// and up between two polls of the key state would otherwise never be seen:
// it reads as held once.
std::array<bool, 256> g_keysTappedSincePoll{};

}  // namespace

void TranslateWindowEvent(Window& w, const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE: PostToWindow(w, WM_CLOSE, 0, 0); break;
        case SDL_WINDOWEVENT_MOVED:
            w.x = e.data1;
            w.y = e.data2;
            PostToWindow(w, WM_MOVE, 0, MakeLParam(e.data1, e.data2));
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: PostSize(w); break;
        case SDL_WINDOWEVENT_EXPOSED: Native(w).stale = true; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            PostToWindow(w, WM_ACTIVATEAPP, 1, 0);
            PostToWindow(w, WM_ACTIVATE, WA_ACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PostToWindow(w, WM_ACTIVATE, WA_INACTIVE, 0);
            PostToWindow(w, WM_ACTIVATEAPP, 0, 0);
            break;
        default: break;
    }
}

void TranslateKey(Window& w, const SDL_KeyboardEvent& e) {
    NativeWindow& n = Native(w);
    int vk = VirtualKeyOf(e.keysym.sym);
    bool down = e.type == SDL_KEYDOWN;
    if (vk == VK_MENU) {
        // Alt pressed and released alone opens the keyboard menu on Windows.
        if (down && !e.repeat) n.altAlone = true;
        if (!down && n.altAlone) PostToWindow(w, WM_SYSCOMMAND, SC_KEYMENU, 0);
        return;
    }
    n.altAlone = false;
    if (e.keysym.sym == SDLK_F12 && !down) RequestScreenshot();
    // Alt+Enter switches between the window and full screen; the game never
    // sees it. Alt as it was when Enter went down: SDL's present state may
    // already have Alt released, when both came in one batch of events.
    if (vk == VK_RETURN && (e.keysym.mod & KMOD_ALT) != 0) {
        if (down && !e.repeat) ToggleFullScreen(w);
        return;
    }
    if (vk == 0) return;
    if (down && vk < static_cast<int>(g_keysTappedSincePoll.size())) g_keysTappedSincePoll[vk] = true;
    // As on Windows, bit 30 says the key was already down: a repeat.
    const intptr_t keyData = !down ? static_cast<intptr_t>(0xC0000001u) : e.repeat ? 0x40000001 : 1;
    PostToWindow(w, down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), keyData);
}

void TranslateText(Window& w, const SDL_TextInputEvent& e) {
    const std::string_view text(e.text, strnlen(e.text, sizeof e.text));
    std::size_t length = 1;
    for (std::size_t pos = 0; pos < text.size(); pos += length) {
        const char32_t c = utf8::Decode(text, pos, &length);
        if (c != utf8::kReplacement || length > 1) PostToWindow(w, WM_UNICHAR, c, 0);
    }
}

void TranslateButton(Window& w, const SDL_MouseButtonEvent& e) {
    bool down = e.type == SDL_MOUSEBUTTONDOWN;
    uint32_t message;
    if (e.button == SDL_BUTTON_LEFT) {
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    } else if (e.button == SDL_BUTTON_RIGHT) {
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    } else {
        return;
    }
    PostToWindow(w, message, 0, MousePosition(w, e.x, e.y));
}

// Mouse messages carry picture pixels, whatever the window's size and mode;
// a point on a bar lies outside the picture (as a signed 16-bit value).
intptr_t MousePosition(Window& w, int32_t x, int32_t y) {
    int32_t px = 0, py = 0;
    PlacementInWindow(Native(w)).WindowToPicture(x, y, &px, &py);
    return MakeLParam(std::clamp(px, -32768, 32767), std::clamp(py, -32768, 32767));
}

bool KeyHeldOrTapped(int virtualKey) {
    SDL_Scancode code = ScancodeOf(virtualKey);
    if (code == SDL_SCANCODE_UNKNOWN) return false;
    bool tapped = false;
    if (virtualKey >= 0 && virtualKey < static_cast<int>(g_keysTappedSincePoll.size())) {
        tapped = std::exchange(g_keysTappedSincePoll[virtualKey], false);
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return tapped || (code < count && state[code] != 0);
}

}  // namespace plat
