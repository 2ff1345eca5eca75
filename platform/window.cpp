#include "platform/window.h"

#include <array>
#include <atomic>
#include <map>
#include <mutex>

#include "platform/backend.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "platform/screenshot.h"
#include "platform/surface.h"
#include "platform/window_registry.h"

namespace plat {

namespace {
std::mutex g_classMutex;
std::map<std::string, WindowClass> g_classes;

VideoDriver* g_video = nullptr;
}  // namespace

void SetVideoDriver(VideoDriver* driver) { g_video = driver; }

VideoDriver& Video() {
    if (g_video == nullptr) CurrentBackend();
    return *g_video;
}

bool RegisterWindowClass(const WindowClass& windowClass) {
    if (windowClass.name == nullptr || windowClass.procedure == nullptr) return false;
    std::lock_guard lock(g_classMutex);
    return g_classes.emplace(windowClass.name, windowClass).second;
}

WindowHandle CreateWindow(const char* className, const char* title, uint32_t style, int32_t x,
                          int32_t y, int32_t width, int32_t height) {
    auto window = std::make_unique<Window>();
    {
        std::lock_guard lock(g_classMutex);
        auto it = g_classes.find(className ? className : "");
        if (it == g_classes.end()) return nullptr;
        window->procedure = it->second.procedure;
    }
    window->title = title ? title : "";
    window->style = style;
    window->x = x;
    window->y = y;
    window->width = width;
    window->height = height;
    window->visible = (style & WS_VISIBLE) != 0;
    window->queue = CurrentThreadQueue();
    if (!Video().CreateNative(*window)) return nullptr;
    return WindowRegistry::Add(std::move(window));
}

bool DestroyWindow(WindowHandle handle) {
    if (!IsWindow(handle)) return false;
    SendMessage(handle, WM_DESTROY, 0, 0);
    std::unique_ptr<Window> window = WindowRegistry::Remove(handle);
    if (!window) return false;  // destroyed again while handling WM_DESTROY
    Video().DestroyNative(*window);
    return true;
}

bool IsWindow(WindowHandle handle) {
    return WindowRegistry::WithWindow(handle, [](Window&) {});
}

void ShowWindow(WindowHandle handle) {
    WindowRegistry::WithWindow(handle, [](Window& w) {
        w.visible = true;
        Video().UpdateNative(w);
    });
}

void UpdateWindow(WindowHandle) {}

void SetWindowTopmost(WindowHandle handle, int32_t x, int32_t y, int32_t width, int32_t height) {
    WindowRegistry::WithWindow(handle, [&](Window& w) {
        w.topmost = true;
        w.visible = true;
        w.x = x;
        w.y = y;
        w.width = width;
        w.height = height;
        Video().UpdateNative(w);
        Video().PlaceNative(w);
    });
}

void GetClientSize(WindowHandle handle, int32_t* width, int32_t* height) {
    // Our windows draw their frame outside the client area, so the client is
    // the size the window was made with.
    *width = *height = 0;
    WindowRegistry::WithWindow(handle, [&](Window& w) {
        *width = w.width;
        *height = w.height;
    });
}

void ClientToScreen(WindowHandle handle, int32_t* x, int32_t* y) {
    WindowRegistry::WithWindow(handle, [&](Window& w) {
        *x += w.x;
        *y += w.y;
    });
}

void SetWindowText(WindowHandle handle, const char* text) {
    WindowRegistry::WithWindow(handle, [&](Window& w) {
        w.title = text ? text : "";
        Video().UpdateNative(w);
    });
}

void SetFocus(WindowHandle handle) {
    WindowRegistry::WithWindow(handle, [](Window& w) {
        w.focused = true;
        Video().Focus(w);
    });
}

WindowInfo DescribeWindow(WindowHandle handle) {
    WindowInfo info{};
    WindowRegistry::WithWindow(handle, [&](Window& w) {
        info = WindowInfo{w.title, w.style,   w.x,       w.y,       w.width,
                          w.height, w.visible, w.topmost, w.focused, w.fullscreen};
    });
    return info;
}

WindowProc GetWindowProc(WindowHandle handle) {
    WindowProc procedure = nullptr;
    WindowRegistry::WithWindow(handle, [&](Window& w) { procedure = w.procedure; });
    return procedure;
}

bool OpenWindowDisplay(WindowHandle handle, int32_t width, int32_t height, bool fullscreen) {
    bool opened = false;
    const bool found = WindowRegistry::WithWindow(handle, [&](Window& w) {
        opened = Video().OpenDisplay(w, width, height, fullscreen);
    });
    return found ? opened : Fail("the window is gone");
}

void CloseWindowDisplay(WindowHandle handle) {
    WindowRegistry::WithWindow(handle, [](Window& w) { Video().CloseDisplay(w); });
}

namespace {
int32_t g_frameLimit = 0;
int32_t g_framesPresented = 0;
std::atomic<int64_t> g_presentedTotal{0};
PresentHook g_presentHook = nullptr;
void* g_presentHookUser = nullptr;
constexpr int kVirtualKeys = 256;
std::array<std::atomic<bool>, kVirtualKeys> g_scriptedKeys{};
std::atomic<bool> g_realMouseIgnored{false};
std::atomic<Scaling> g_pictureScaling{Scaling::Smooth};

}  // namespace

void SetFrameLimit(int32_t frames) {
    g_frameLimit = frames;
    g_framesPresented = 0;
}

void SetPresentHook(PresentHook hook, void* user) {
    g_presentHook = hook;
    g_presentHookUser = user;
}

void SetScriptedKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < kVirtualKeys) g_scriptedKeys[virtualKey] = down;
}

void SetRealMouseIgnored(bool ignored) { g_realMouseIgnored = ignored; }

bool RealMouseIgnored() { return g_realMouseIgnored; }

int64_t PresentedFrameCount() { return g_presentedTotal; }

void SetPictureScaling(Scaling scaling) { g_pictureScaling = scaling; }

Scaling PictureScaling() { return g_pictureScaling; }

void NothingNewFor(uint32_t ms) { Video().NothingNewFor(ms); }

bool LastPresentHeld() { return Video().LastPresentHeld(); }

void PresentPage(WindowHandle handle, Surface& page) {
    bool presented = false;
    WindowRegistry::WithWindow(handle, [&](Window& w) {
        Video().Present(w, page);
        presented = true;
        ++g_presentedTotal;
        const bool lastFrame = g_frameLimit > 0 && ++g_framesPresented == g_frameLimit;
        CaptureIfWanted(page, lastFrame);
        if (lastFrame) PostToWindow(w, WM_CLOSE, 0, 0);
    });
    // Outside the registry's lock: the hook posts messages to the window.
    if (presented && g_presentHook != nullptr) g_presentHook(g_presentHookUser);
}

void WaitForInput(uint32_t ms) { Video().WaitForEvents(ms); }

int32_t GetSystemMetric(SystemMetric metric) {
    int32_t width = 0, height = 0;
    switch (metric) {
        case SystemMetric::ScreenWidth:
            Video().ScreenSize(&width, &height);
            return width;
        case SystemMetric::ScreenHeight:
            Video().ScreenSize(&width, &height);
            return height;
        case SystemMetric::SizingFrameHeight:
        case SystemMetric::SmallCaptionHeight:
            // Window frames lie outside the client area, whose coordinates the
            // mouse messages already use: nothing of them is inside.
            return 0;
    }
    return 0;
}

std::vector<DisplayArea> GetDisplayAreas() { return Video().DisplayAreas(); }

int32_t GetDesktopBitsPerPixel() { return Video().DesktopBitsPerPixel(); }

void GetCursorPos(int32_t* x, int32_t* y) { Video().CursorPos(x, y); }

bool IsKeyDown(int virtualKey) {
    const bool scripted = virtualKey >= 0 && virtualKey < kVirtualKeys && g_scriptedKeys[virtualKey];
    return scripted || Video().KeyDown(virtualKey);
}

}  // namespace plat
