#include "platform/sdl/sdl_video.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>
#include <thread>
#include <utility>

#include "platform/picture_placement.h"
#include "platform/surface.h"

namespace plat {

// The SDL objects of one window, owned through its native pointer.
struct NativeWindow {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int32_t pageWidth = 0, pageHeight = 0;
    bool altAlone = false;  // Alt went down and no other key since
    // What the window shows now, row by row: a page that matches it is not
    // uploaded or presented again.
    std::vector<uint16_t> shown;
    bool stale = true;  // the window needs a full picture (new, resized, exposed)
    bool textureFilled = false;  // the texture has had a whole page
};

namespace {

// The shortest frame when the display's refresh rate is unknown or vsync
// does nothing (virtual displays, some compositors): 60 Hz.
constexpr int kFallbackRefreshHz = 60;

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

// The picture's place in window units (what mouse events use) or in the
// renderer's output pixels (more than window units on a HiDPI display).
PicturePlacement PlacementInWindow(NativeWindow& n) {
    int w = 0, h = 0;
    SDL_GetWindowSize(n.window, &w, &h);
    return PlacePicture(w, h, n.pageWidth, n.pageHeight, PictureScaling());
}

PicturePlacement PlacementInPixels(NativeWindow& n) {
    int w = 0, h = 0;
    if (n.renderer == nullptr || SDL_GetRendererOutputSize(n.renderer, &w, &h) != 0) {
        SDL_GetWindowSize(n.window, &w, &h);
    }
    return PlacePicture(w, h, n.pageWidth, n.pageHeight, PictureScaling());
}

// Whole multiples stay sharp; other scales are smoothed.
void ChooseScaleMode(NativeWindow& n) {
    if (!n.texture) return;
    const bool whole = PlacementInPixels(n).WholeScale();
    SDL_SetTextureScaleMode(n.texture, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

void PostSize(Window& w) {
    NativeWindow& n = Native(w);
    int width = 0, height = 0;
    SDL_GetWindowSize(n.window, &width, &height);
    w.width = width;
    w.height = height;
    n.stale = true;
    ChooseScaleMode(n);
    const bool maximized = (SDL_GetWindowFlags(n.window) & SDL_WINDOW_MAXIMIZED) != 0;
    PostToWindow(w, WM_SIZE, maximized ? SIZE_MAXIMIZED : SIZE_RESTORED, MakeLParam(width, height));
}

// Mouse messages carry picture pixels, whatever the window's size and mode;
// a point on a bar lies outside the picture (as a signed 16-bit value).
intptr_t MousePosition(NativeWindow& n, int32_t x, int32_t y) {
    int32_t px = 0, py = 0;
    PlacementInWindow(n).WindowToPicture(x, y, &px, &py);
    return MakeLParam(std::clamp(px, -32768, 32767), std::clamp(py, -32768, 32767));
}

// A GL that rasterises on the processor (as under a virtual display) costs
// tens of megabytes and more processor time than SDL's own software
// renderer for a picture this small, so the hardware path is only for real
// hardware. SDL_RENDERER (accelerated, software) overrides the choice.
bool SoftwareGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned kGlRenderer = 0x1F01;
    const char* name = getString != nullptr ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
    return name != nullptr && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
                               std::strstr(name, "swrast") || std::strstr(name, "Software"));
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    const char* wanted = SDL_getenv("REEF_RENDERER");
    const bool software = wanted != nullptr && SDL_strcmp(wanted, "software") == 0;
    const bool accelerated = wanted != nullptr && SDL_strcmp(wanted, "accelerated") == 0;
    if (!software) {
        SDL_Renderer* renderer =
            SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (renderer != nullptr && (accelerated || !SoftwareGl(renderer))) return renderer;
        if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    }
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

void ToggleFullScreen(Window& w) {
    NativeWindow& n = Native(w);
    const bool full = (SDL_GetWindowFlags(n.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(n.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    w.fullscreen = !full;
    PostSize(w);
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
    // Alt+Enter switches between the window and full screen; the game never
    // sees it.
    if (vk == VK_RETURN && (SDL_GetModState() & KMOD_ALT) != 0) {
        if (down && !e.repeat) ToggleFullScreen(w);
        return;
    }
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
    Uint32 flags = (w.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN) | SDL_WINDOW_ALLOW_HIGHDPI;
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
    if (fullscreen) {
        SDL_SetWindowFullscreen(n.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        w.fullscreen = true;
    }
    n.renderer = CreateRenderer(n.window);
    if (n.renderer == nullptr) return false;
    n.texture = SDL_CreateTexture(n.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    if (n.texture == nullptr) {
        DestroyDisplay(n);
        return false;
    }
    n.pageWidth = width;
    n.pageHeight = height;
    n.shown.assign(static_cast<size_t>(width) * height, 0);
    n.stale = true;
    n.textureFilled = false;
    ChooseScaleMode(n);
    SDL_DisplayMode mode{};
    const int refresh = SDL_GetWindowDisplayMode(n.window, &mode) == 0 && mode.refresh_rate > 0
                            ? mode.refresh_rate
                            : kFallbackRefreshHz;
    framePeriod_ = std::chrono::microseconds(1000000 / refresh);
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
    if (n.texture != nullptr) ShowChangedRows(n, page);
    // Presents are paced to the display's refresh even where vsync does
    // nothing and when nothing changed, so the loop never spins a core.
    auto now = std::chrono::steady_clock::now();
    if (now < nextFrame_) std::this_thread::sleep_until(nextFrame_);
    nextFrame_ = std::max(now, nextFrame_) + framePeriod_;
}

void SdlVideo::ShowChangedRows(NativeWindow& n, Surface& page) {
    SDL_Surface* pixels = page.Sdl();
    if (pixels->w != n.pageWidth || pixels->h != n.pageHeight) return;
    // The band of rows that differ from what the window shows.
    const size_t rowBytes = static_cast<size_t>(n.pageWidth) * sizeof(uint16_t);
    auto pageRow = [&](int y) { return static_cast<const uint8_t*>(pixels->pixels) + static_cast<size_t>(y) * pixels->pitch; };
    auto shownRow = [&](int y) { return n.shown.data() + static_cast<size_t>(y) * n.pageWidth; };
    int first = 0, last = n.pageHeight - 1;
    if (n.textureFilled) {
        while (first <= last && std::memcmp(pageRow(first), shownRow(first), rowBytes) == 0) ++first;
        while (last >= first && std::memcmp(pageRow(last), shownRow(last), rowBytes) == 0) --last;
    }
    n.textureFilled = true;
    if (first > last && !n.stale) return;
    if (first <= last) {
        for (int y = first; y <= last; ++y) std::memcpy(shownRow(y), pageRow(y), rowBytes);
        const SDL_Rect band{0, first, n.pageWidth, last - first + 1};
        SDL_UpdateTexture(n.texture, &band, pageRow(first), pixels->pitch);
    }
    const PicturePlacement place = PlacementInPixels(n);
    const SDL_Rect target{place.x, place.y, place.width, place.height};
    SDL_SetRenderDrawColor(n.renderer, 0, 0, 0, 255);
    SDL_RenderClear(n.renderer);
    SDL_RenderCopy(n.renderer, n.texture, nullptr, &target);
    SDL_RenderPresent(n.renderer);
    n.stale = false;
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
