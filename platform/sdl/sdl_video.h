#pragma once
// The sdl backend's display: a real window whose picture is scaled to the
// window keeping its aspect (sharp whole scales or smooth), SDL input turned
// into window messages in picture pixels, Alt+Enter for full screen, and
// presentation of only what changed, paced to the display's refresh (60 Hz
// where it is unknown or vsync does nothing, as under a virtual display).
#include <SDL_events.h>

#include <atomic>
#include <chrono>

#include "platform/release_hold.h"
#include "platform/video_driver.h"

namespace plat {

struct NativeWindow;

class SdlVideo : public VideoDriver {
public:
    bool Open() override;
    void Close() override;
    void ScreenSize(int32_t* width, int32_t* height) override;
    std::vector<DisplayArea> DisplayAreas() override;
    int32_t DesktopBitsPerPixel() override;
    bool CreateNative(Window& window) override;
    void DestroyNative(Window& window) override;
    void UpdateNative(Window& window) override;
    void PlaceNative(Window& window) override;
    void Focus(Window& window) override;
    bool OpenDisplay(Window& window, int32_t width, int32_t height, bool fullscreen) override;
    void CloseDisplay(Window& window) override;
    void PumpEvents(Window& window) override;
    void WaitForEvents(uint32_t ms) override;
    void Present(Window& window, Surface& page) override;
    void ShowMessage(const char* caption, const char* text, bool stopIcon) override;
    void CursorPos(int32_t* x, int32_t* y) override;
    bool KeyDown(int virtualKey) override;
    void MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) override;
    void SetTextInput(bool on) override;
    std::string ClipboardText() override;

private:
    void NoteButton(const SDL_MouseButtonEvent& event);
    // Uploads the rows of the page that differ from what the window shows and
    // presents; nothing when the page shows nothing new.
    void ShowChangedRows(NativeWindow& window, Surface& page);

    bool open_ = false;
    // The mouse device's state, gathered from events on the window's thread
    // and read by the frame timer's thread when the mouse is polled.
    std::atomic<int32_t> motionX_{0}, motionY_{0}, mouseButtons_{0};
    // A release held back until the next present (release_hold.h); the
    // events after it wait in SDL's queue.
    HeldRelease<SDL_MouseButtonEvent> heldRelease_;
    std::chrono::steady_clock::time_point nextFrame_{};
    std::chrono::microseconds framePeriod_{16667};
};

}  // namespace plat
