#include "platform/sdl/sdl_video.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "platform/failure.h"
#include "platform/picture_placement.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "platform/surface.h"
#include "platform/window.h"

namespace plat {

namespace {

// The shortest frame when the display's refresh rate is unknown or vsync
// does nothing (virtual displays, some compositors): 60 Hz.
constexpr int kFallbackRefreshHz = 60;

void DestroyDisplay(NativeWindow& n) {
    n.texture.reset();
    n.renderer.reset();
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

SdlRendererPtr CreateRenderer(SDL_Window* window) {
    const char* wanted = SDL_getenv("REEF_RENDERER");
    const bool software = wanted != nullptr && SDL_strcmp(wanted, "software") == 0;
    const bool accelerated = wanted != nullptr && SDL_strcmp(wanted, "accelerated") == 0;
    if (!software) {
        SdlRendererPtr renderer(
            SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
        if (renderer != nullptr && (accelerated || !SoftwareGl(renderer.get()))) return renderer;
    }
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SdlRendererPtr(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
}

}  // namespace

bool SdlVideo::Open() {
    if (open_) return true;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return FailWithSdlError();
    // Without a display SDL falls back to drivers that show nothing; a player
    // would face an invisible game. Take them only when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 ||
                                                 SDL_strcmp(driver, "dummy") == 0);
    if (invisible && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return Fail("no window system found");
    }
    // SDL starts with text input on; the game wants plain keys until a field asks.
    SDL_StopTextInput();
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

std::vector<DisplayArea> SdlVideo::DisplayAreas() {
    std::vector<DisplayArea> areas;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect r{};
        if (SDL_GetDisplayBounds(i, &r) == 0) areas.push_back({r.x, r.y, r.w, r.h});
    }
    return areas;
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
    SdlWindowPtr window(SDL_CreateWindow(w.title.c_str(), w.x, w.y, w.width, w.height, flags));
    if (window == nullptr) return FailWithSdlError();
    auto* n = new NativeWindow;
    n->window = std::move(window);
    w.native = n;
    return true;
}

void SdlVideo::DestroyNative(Window& w) {
    if (w.native == nullptr) return;
    delete &Native(w);  // texture, renderer, then window
    w.native = nullptr;
}

void SdlVideo::UpdateNative(Window& w) {
    NativeWindow& n = Native(w);
    SDL_SetWindowTitle(n.window.get(), w.title.c_str());
    SDL_SetWindowAlwaysOnTop(n.window.get(), w.topmost ? SDL_TRUE : SDL_FALSE);
    if (w.visible) SDL_ShowWindow(n.window.get());
}

void SdlVideo::PlaceNative(Window& w) {
    NativeWindow& n = Native(w);
    if (IsFullScreen(n)) return;
    SDL_SetWindowPosition(n.window.get(), w.x, w.y);
    SDL_SetWindowSize(n.window.get(), w.width, w.height);
}

void SdlVideo::Focus(Window& w) { SDL_RaiseWindow(Native(w).window.get()); }

bool SdlVideo::OpenDisplay(Window& w, int32_t width, int32_t height, bool fullscreen) {
    NativeWindow& n = Native(w);
    DestroyDisplay(n);
    if (fullscreen) {
        EnterFullScreen(n);
        w.fullscreen = true;
    }
    n.renderer = CreateRenderer(n.window.get());
    if (n.renderer == nullptr) return FailWithSdlError();
    n.texture.reset(SDL_CreateTexture(n.renderer.get(), SDL_PIXELFORMAT_RGB565,
                                      SDL_TEXTUREACCESS_STREAMING, width, height));
    if (n.texture == nullptr) {
        FailWithSdlError();
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
    const int refresh = SDL_GetWindowDisplayMode(n.window.get(), &mode) == 0 && mode.refresh_rate > 0
                            ? mode.refresh_rate
                            : kFallbackRefreshHz;
    framePeriod_ = std::chrono::microseconds(1000000 / refresh);
    return true;
}

void SdlVideo::CloseDisplay(Window& w) { DestroyDisplay(Native(w)); }

namespace {
double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
int32_t ButtonBit(const SDL_MouseButtonEvent& e) {
    return e.button == SDL_BUTTON_LEFT ? 1 : e.button == SDL_BUTTON_RIGHT ? 2 : 0;
}
}  // namespace

void SdlVideo::PumpEvents(Window& w) {
    const double now = NowMs();
    const auto button = [&](const SDL_MouseButtonEvent& b) {
        NoteButton(b);
        TranslateButton(w, b);
    };
    if (!heldRelease_.PostDue(now, button)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_WINDOWEVENT: TranslateWindowEvent(w, e.window); break;
            // Interrupt and terminate signals arrive as a quit request: close
            // the window so the game shuts down in order.
            case SDL_QUIT: PostToWindow(w, WM_CLOSE, 0, 0); break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: TranslateKey(w, e.key); break;
            case SDL_TEXTINPUT: TranslateText(w, e.text); break;
            case SDL_MOUSEMOTION:
                if (RealMouseIgnored()) break;
                motionX_ += e.motion.xrel;
                motionY_ += e.motion.yrel;
                PostToWindow(w, WM_MOUSEMOVE, 0, MousePosition(w, e.motion.x, e.motion.y));
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (RealMouseIgnored()) break;
                if (!heldRelease_.Admit(e.button, e.type == SDL_MOUSEBUTTONDOWN ? ButtonBit(e.button) : 0,
                                        e.type == SDL_MOUSEBUTTONUP ? ButtonBit(e.button) : 0, now)) {
                    return;
                }
                button(e.button);
                break;
            default: break;
        }
    }
}

void SdlVideo::NoteButton(const SDL_MouseButtonEvent& e) {
    const int32_t bit = ButtonBit(e);
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        mouseButtons_ |= bit;
    } else {
        mouseButtons_ &= ~bit;
    }
}

void SdlVideo::WaitForEvents(uint32_t ms) { SDL_WaitEventTimeout(nullptr, static_cast<int>(ms)); }

void SdlVideo::Present(Window& w, Surface& page) {
    heldRelease_.Presented();
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
        SDL_UpdateTexture(n.texture.get(), &band, pageRow(first), pixels->pitch);
    }
    const PicturePlacement place = PlacementInPixels(n);
    const SDL_Rect target{place.x, place.y, place.width, place.height};
    SDL_SetRenderDrawColor(n.renderer.get(), 0, 0, 0, 255);
    SDL_RenderClear(n.renderer.get());
    SDL_RenderCopy(n.renderer.get(), n.texture.get(), nullptr, &target);
    SDL_RenderPresent(n.renderer.get());
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

bool SdlVideo::KeyDown(int virtualKey) { return KeyHeldOrTapped(virtualKey); }

void SdlVideo::SetTextInput(bool on) { on ? SDL_StartTextInput() : SDL_StopTextInput(); }

std::string SdlVideo::ClipboardText() {
    std::unique_ptr<char, decltype(&SDL_free)> text(SDL_GetClipboardText(), SDL_free);
    return text ? std::string(text.get()) : std::string();
}

void SdlVideo::MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) {
    *dx = motionX_.exchange(0);
    *dy = motionY_.exchange(0);
    *buttons = mouseButtons_.load();
}

}  // namespace plat
