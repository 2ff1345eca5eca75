#include "platform/sdl/sdl_video.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <thread>
#include <utility>

#include "platform/surface.h"

namespace plat {

namespace {

constexpr auto kFrameFloor = std::chrono::microseconds(8333);  // about 120 Hz

// The SDL objects of one window, owned through its native pointer.
struct NativeWindow {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int32_t pageWidth = 0, pageHeight = 0;
    bool altAlone = false;  // Alt went down and no other key since
};

NativeWindow& Native(Window& w) { return *static_cast<NativeWindow*>(w.native); }

void DestroyDisplay(NativeWindow& n) {
    if (n.texture) SDL_DestroyTexture(n.texture);
    if (n.renderer) SDL_DestroyRenderer(n.renderer);
    n.texture = nullptr;
    n.renderer = nullptr;
}

int VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    switch (key) {
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_RETURN: return VK_RETURN;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
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
        case VK_MENU: return SDL_SCANCODE_LALT;
        default: return SDL_SCANCODE_UNKNOWN;
    }
}

// How the picture sits in the window: its scale, and the window's client size
// and the picture's letterbox offset, both in picture pixels.
struct Placement {
    float scale;
    int32_t clientWidth, clientHeight;
    int32_t offsetX, offsetY;
};

Placement PlacementOf(NativeWindow& n) {
    int w = 0, h = 0;
    SDL_GetWindowSize(n.window, &w, &h);
    if (n.pageWidth <= 0 || n.pageHeight <= 0 || w <= 0 || h <= 0) return {1.0f, w, h, 0, 0};
    float scale = std::min(static_cast<float>(w) / n.pageWidth, static_cast<float>(h) / n.pageHeight);
    int32_t cw = static_cast<int32_t>(w / scale), ch = static_cast<int32_t>(h / scale);
    return {scale, cw, ch, (cw - n.pageWidth) / 2, (ch - n.pageHeight) / 2};
}

// Whole multiples stay sharp; other scales are smoothed.
void ChooseScaleMode(NativeWindow& n) {
    if (!n.texture) return;
    float scale = PlacementOf(n).scale;
    bool whole = scale == static_cast<float>(static_cast<int>(scale));
    SDL_SetTextureScaleMode(n.texture, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

void PostSize(Window& w) {
    NativeWindow& n = Native(w);
    Placement p = PlacementOf(n);
    bool larger = p.clientWidth > n.pageWidth || p.clientHeight > n.pageHeight;
    ChooseScaleMode(n);
    PostToWindow(w, WM_SIZE, larger ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MakeLParam(p.clientWidth, p.clientHeight));
}

// Mouse positions arrive in picture pixels; the window procedure expects them
// relative to the client area, letterbox included.
intptr_t MousePosition(NativeWindow& n, int32_t x, int32_t y) {
    Placement p = PlacementOf(n);
    return MakeLParam(std::max(0, x + p.offsetX), std::max(0, y + p.offsetY));
}

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

// Keys pressed since the game last asked about them. A tap that goes down
// and up between two polls of the key state would otherwise never be seen:
// it reads as held once.
std::array<bool, 256> g_keysTappedSincePoll{};

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
    if (vk == 0) return;
    if (down && vk < static_cast<int>(g_keysTappedSincePoll.size())) g_keysTappedSincePoll[vk] = true;
    // As on Windows, bit 30 says the key was already down: a repeat.
    const intptr_t keyData = !down ? static_cast<intptr_t>(0xC0000001u) : e.repeat ? 0x40000001 : 1;
    PostToWindow(w, down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), keyData);
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
    PostToWindow(w, message, 0, MousePosition(Native(w), e.x, e.y));
}

}  // namespace

bool SdlVideo::Open(std::string* error) {
    if (open_) return true;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return false;
    }
    // Without a display SDL falls back to drivers that show nothing; a player
    // would face an invisible game. Take them only when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 ||
                                                 SDL_strcmp(driver, "dummy") == 0);
    if (invisible && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (error) *error = "no window system found";
        return false;
    }
    open_ = true;
    return true;
}

void SdlVideo::Close() {
    if (open_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    open_ = false;
}

void SdlVideo::ScreenSize(int32_t* width, int32_t* height) {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) mode.w = mode.h = 0;
    *width = mode.w;
    *height = mode.h;
}

int32_t SdlVideo::DesktopBitsPerPixel() {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
    return static_cast<int32_t>(SDL_BYTESPERPIXEL(mode.format) * 8);
}

bool SdlVideo::CreateNative(Window& w) {
    Uint32 flags = w.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    if (w.style & WS_POPUP) {
        flags |= SDL_WINDOW_BORDERLESS;
    } else if (w.style & WS_MAXIMIZEBOX) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    SDL_Window* window = SDL_CreateWindow(w.title.c_str(), w.x, w.y, w.width, w.height, flags);
    if (window == nullptr) return false;
    auto* n = new NativeWindow;
    n->window = window;
    w.native = n;
    return true;
}

void SdlVideo::DestroyNative(Window& w) {
    if (w.native == nullptr) return;
    NativeWindow& n = Native(w);
    DestroyDisplay(n);
    SDL_DestroyWindow(n.window);
    delete &n;
    w.native = nullptr;
}

void SdlVideo::UpdateNative(Window& w) {
    NativeWindow& n = Native(w);
    SDL_SetWindowTitle(n.window, w.title.c_str());
    SDL_SetWindowAlwaysOnTop(n.window, w.topmost ? SDL_TRUE : SDL_FALSE);
    if (w.visible) SDL_ShowWindow(n.window);
}

void SdlVideo::PlaceNative(Window& w) {
    NativeWindow& n = Native(w);
    if (SDL_GetWindowFlags(n.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) return;
    SDL_SetWindowPosition(n.window, w.x, w.y);
    SDL_SetWindowSize(n.window, w.width, w.height);
}

void SdlVideo::Focus(Window& w) { SDL_RaiseWindow(Native(w).window); }

bool SdlVideo::OpenDisplay(Window& w, int32_t width, int32_t height, bool fullscreen) {
    NativeWindow& n = Native(w);
    DestroyDisplay(n);
    if (fullscreen) SDL_SetWindowFullscreen(n.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    n.renderer = SDL_CreateRenderer(n.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (n.renderer == nullptr) n.renderer = SDL_CreateRenderer(n.window, -1, SDL_RENDERER_SOFTWARE);
    if (n.renderer == nullptr) return false;
    SDL_RenderSetLogicalSize(n.renderer, width, height);
    n.texture = SDL_CreateTexture(n.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    if (n.texture == nullptr) {
        DestroyDisplay(n);
        return false;
    }
    n.pageWidth = width;
    n.pageHeight = height;
    ChooseScaleMode(n);
    return true;
}

void SdlVideo::CloseDisplay(Window& w) { DestroyDisplay(Native(w)); }

void SdlVideo::PumpEvents(Window& w) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_WINDOWEVENT: TranslateWindowEvent(w, e.window); break;
            // Interrupt and terminate signals arrive as a quit request: close
            // the window so the game shuts down in order.
            case SDL_QUIT: PostToWindow(w, WM_CLOSE, 0, 0); break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: TranslateKey(w, e.key); break;
            case SDL_MOUSEMOTION:
                if (RealMouseIgnored()) break;
                motionX_ += e.motion.xrel;
                motionY_ += e.motion.yrel;
                PostToWindow(w, WM_MOUSEMOVE, 0, MousePosition(Native(w), e.motion.x, e.motion.y));
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (RealMouseIgnored()) break;
                NoteButton(e.button);
                TranslateButton(w, e.button);
                break;
            default: break;
        }
    }
}

void SdlVideo::NoteButton(const SDL_MouseButtonEvent& e) {
    const int32_t bit = e.button == SDL_BUTTON_LEFT ? 1 : e.button == SDL_BUTTON_RIGHT ? 2 : 0;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        mouseButtons_ |= bit;
    } else {
        mouseButtons_ &= ~bit;
    }
}

void SdlVideo::WaitForEvents(uint32_t ms) { SDL_WaitEventTimeout(nullptr, static_cast<int>(ms)); }

void SdlVideo::Present(Window& w, Surface& page) {
    NativeWindow& n = Native(w);
    if (n.texture != nullptr) {
        SDL_Surface* pixels = page.Sdl();
        SDL_UpdateTexture(n.texture, nullptr, pixels->pixels, pixels->pitch);
        SDL_SetRenderDrawColor(n.renderer, 0, 0, 0, 255);
        SDL_RenderClear(n.renderer);
        SDL_RenderCopy(n.renderer, n.texture, nullptr, nullptr);
        SDL_RenderPresent(n.renderer);
    }
    // Vsync may do nothing (virtual displays, some compositors): never let a
    // frame be shorter than the floor, so the loop does not spin a core.
    auto now = std::chrono::steady_clock::now();
    if (now < nextFrame_) std::this_thread::sleep_until(nextFrame_);
    nextFrame_ = std::max(now, nextFrame_) + kFrameFloor;
}

void SdlVideo::ShowMessage(const char* caption, const char* text, bool stopIcon) {
    const Uint32 icon = stopIcon ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(icon, caption, text, nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
}

void SdlVideo::CursorPos(int32_t* x, int32_t* y) {
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    *x = gx;
    *y = gy;
}

bool SdlVideo::KeyDown(int virtualKey) {
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

void SdlVideo::MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) {
    *dx = motionX_.exchange(0);
    *dy = motionY_.exchange(0);
    *buttons = mouseButtons_.load();
}

}  // namespace plat
