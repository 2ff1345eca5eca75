#include "platform/headless/headless_video.h"

#include <cstdio>

#include "platform/headless/virtual_clock.h"
#include "platform/surface.h"

namespace plat {

HeadlessVideo& HeadlessDisplay() {
    static HeadlessVideo video;
    return video;
}

void HeadlessVideo::SurfaceDeleter::operator()(Surface* s) const { s->Release(); }

bool HeadlessVideo::Open() { return true; }

void HeadlessVideo::ScreenSize(int32_t* width, int32_t* height) {
    *width = screenWidth_;
    *height = screenHeight_;
}

std::vector<DisplayArea> HeadlessVideo::DisplayAreas() {
    std::vector<DisplayArea> areas{{0, 0, screenWidth_, screenHeight_}};
    for (const DisplayArea& area : extraDisplays_) areas.push_back(area);
    return areas;
}

bool HeadlessVideo::CreateNative(Window& window) {
    if (windowCreationFails_) return false;
    ActivateOnFirstShow(window);
    return true;
}

void HeadlessVideo::DestroyNative(Window& window) { activated_.erase(&window); }

void HeadlessVideo::UpdateNative(Window& window) { ActivateOnFirstShow(window); }

void HeadlessVideo::ActivateOnFirstShow(Window& window) {
    if (!window.visible || !activated_.insert(&window).second) return;
    PostToWindow(window, WM_ACTIVATEAPP, 1, 0);
    PostToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
}

bool HeadlessVideo::OpenDisplay(Window& window, int32_t, int32_t, bool fullscreen) {
    displayOpen_ = true;
    fullscreen_ = fullscreen;
    window.fullscreen = fullscreen;
    return true;
}

void HeadlessVideo::WaitForEvents(uint32_t ms) {
    // Nothing arrives by itself here; let the time pass.
    HeadlessClock().Sleep(ms);
}

void HeadlessVideo::Present(Window&, Surface& page) {
    if (!lastPresented_ || lastPresented_->Width() != page.Width() ||
        lastPresented_->Height() != page.Height()) {
        lastPresented_.reset(Surface::Create(page.Width(), page.Height()));
    }
    if (lastPresented_) lastPresented_->Blt(nullptr, &page, nullptr, DDBLT_WAIT);
    ++presents_;
    lastQuietMs_ = std::exchange(quietMs_, 0);
    // A frame takes time even without a display; while the clock runs by
    // itself it has already moved.
    if (!HeadlessClock().IsRunning()) HeadlessClock().Advance(framePeriod_);
}

void HeadlessVideo::ShowMessage(const char* caption, const char* text, bool) {
    lastError_ = text;
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

void HeadlessVideo::CursorPos(int32_t* x, int32_t* y) {
    *x = cursorX_;
    *y = cursorY_;
}

bool HeadlessVideo::KeyDown(int virtualKey) { return keysDown_.count(virtualKey) != 0; }

void HeadlessVideo::MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) {
    *dx = 0;
    *dy = 0;
    *buttons = mouseButtons_.load();
}

void HeadlessVideo::Reset() {
    screenWidth_ = 1920;
    screenHeight_ = 1080;
    desktopBits_ = 32;
    extraDisplays_.clear();
    windowCreationFails_ = false;
    cursorX_ = cursorY_ = 0;
    keysDown_.clear();
    activated_.clear();
    mouseButtons_.store(0);
    framePeriod_ = 10;
    presents_ = 0;
    quietMs_ = lastQuietMs_ = 0;
    presentsHeld_ = false;
    displayOpen_ = false;
    fullscreen_ = false;
    textInput_ = false;
    clipboard_.clear();
    lastPresented_.reset();
    lastError_.clear();
}

void HeadlessVideo::SetScreen(int32_t width, int32_t height, int32_t bitsPerPixel) {
    screenWidth_ = width;
    screenHeight_ = height;
    desktopBits_ = bitsPerPixel;
}

void HeadlessVideo::SetCursor(int32_t x, int32_t y) {
    cursorX_ = x;
    cursorY_ = y;
}

void HeadlessVideo::SetKeyDown(int virtualKey, bool down) {
    if (down) {
        keysDown_.insert(virtualKey);
    } else {
        keysDown_.erase(virtualKey);
    }
}

}  // namespace plat
