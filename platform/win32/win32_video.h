#pragma once
// The win32 backend's display: a real window made with the Windows API in the
// game's three modes (a framed window, full screen, borderless), the page shown
// with GDI's StretchDIBits scaled to the window keeping its aspect (sharp whole
// scales or smoothed), window messages turned into the platform's messages in
// picture pixels, Alt+Enter for full screen, and presents paced to the
// display's refresh.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/release_hold.h"
#include "platform/video_driver.h"

namespace plat {

class Win32Video : public VideoDriver {
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

    // For the window procedure: the mouse device's state and keys tapped
    // between two polls (a tap would otherwise never be seen as held).
    std::atomic<int32_t> motionX{0}, motionY{0}, mouseButtons{0};
    std::array<std::atomic<bool>, 256> keysTapped{};
    std::atomic<bool> textInput{false};

private:
    // A button's release held back until the next present (release_hold.h);
    // the messages after it wait in the thread's queue.
    struct Message {
        void* window;
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    HeldRelease<Message> heldRelease_;
    bool open_ = false;
    std::chrono::steady_clock::time_point nextFrame_{};
    std::chrono::microseconds framePeriod_{16667};
};

Win32Video& Win32Display();

}  // namespace plat
