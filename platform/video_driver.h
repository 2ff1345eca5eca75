#pragma once
// What each backend provides for windows, input and presentation. The window
// and message facilities keep the bookkeeping; the driver does what needs a
// real (or virtual) display.
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/message_codes.h"
#include "platform/window_types.h"

namespace plat {

class Surface;

struct MessageQueue {
    std::mutex mutex;
    std::deque<Message> messages;
};

// The record behind a WindowHandle.
struct Window {
    WindowProc procedure = nullptr;
    std::string title;
    uint32_t style = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool visible = false;
    bool topmost = false;
    bool focused = false;
    bool fullscreen = false;  // the display fills the screen (kept up to date by the driver)
    MessageQueue* queue = nullptr;  // of the thread that made the window
    void* native = nullptr;         // the driver's own state
};

class VideoDriver {
public:
    virtual ~VideoDriver() = default;
    // Makes the display usable; false when there is none, with the reason
    // noted (platform/failure.h), as for every driver call that can fail.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual void ScreenSize(int32_t* width, int32_t* height) = 0;
    // Every display, the primary first; by default the primary screen alone.
    virtual std::vector<DisplayArea> DisplayAreas() {
        int32_t width = 0, height = 0;
        ScreenSize(&width, &height);
        if (width <= 0 || height <= 0) return {};
        return {DisplayArea{0, 0, width, height}};
    }
    virtual int32_t DesktopBitsPerPixel() = 0;
    virtual bool CreateNative(Window& window) = 0;
    virtual void DestroyNative(Window& window) = 0;
    // Title, visibility or topmost changed.
    virtual void UpdateNative(Window& window) = 0;
    // Position or size changed.
    virtual void PlaceNative(Window& window) = 0;
    virtual void Focus(Window& window) = 0;
    // Gives the window a display of pages of this size; full screen takes the
    // whole screen for the picture. False when it cannot be done.
    virtual bool OpenDisplay(Window& window, int32_t width, int32_t height, bool fullscreen) = 0;
    virtual void CloseDisplay(Window& window) = 0;
    // Turns pending input into messages posted to the window.
    virtual void PumpEvents(Window& window) = 0;
    // Blocks until input may be waiting or ms have passed.
    virtual void WaitForEvents(uint32_t ms) = 0;
    // Shows the page in the window and waits for the next frame's turn.
    virtual void Present(Window& window, Surface& page) = 0;
    // window.h's NothingNewFor and LastPresentHeld; a display that keeps its
    // own pace ignores the first.
    virtual void NothingNewFor(uint32_t) {}
    virtual bool LastPresentHeld() { return false; }
    // A message box with the caption and text, with the stop icon when
    // asked; blocks until it is closed.
    virtual void ShowMessage(const char* caption, const char* text, bool stopIcon) = 0;
    virtual void CursorPos(int32_t* x, int32_t* y) = 0;
    virtual bool KeyDown(int virtualKey) = 0;
    // Mouse motion since the last call and the button bits (bit 0 left, bit 1 right).
    virtual void MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) = 0;
    // Typed characters as WM_UNICHAR while on (platform/text_input.h); a
    // display without a keyboard of its own has none.
    virtual void SetTextInput(bool) {}
    virtual std::string ClipboardText() { return {}; }
};

void SetVideoDriver(VideoDriver* driver);
VideoDriver& Video();

// The calling thread's message queue (a new window belongs to it).
MessageQueue* CurrentThreadQueue();

// Queues a message for the window's own thread.
void PostToWindow(Window& window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace plat
