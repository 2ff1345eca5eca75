#pragma once
// The web backend's display: the page drawn on a canvas placed in the browser
// window at 4:3 (whole, sharp scales when the picture fits, smooth shrinking
// when it does not), only the rows that changed uploaded and only when some
// did; mouse, touch (a tap is a left click, a long press a right click) and
// keyboard (with typed text and pasting) from Emscripten's HTML5 callbacks
// turned into the window messages
// the desktop's drivers post, in picture pixels. Presents are paced to 60
// frames a second, the wait handed back to the browser; once the page has
// settled (a present showed nothing new), a present the program says nothing
// new follows (NothingNewFor) waits that long or until input instead.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/picture_placement.h"
#include "platform/release_hold.h"
#include "platform/video_driver.h"

namespace plat {

class WebVideo : public VideoDriver {
public:
    bool Open() override;
    void Close() override {}
    void ScreenSize(int32_t* width, int32_t* height) override;
    int32_t DesktopBitsPerPixel() override { return 32; }
    bool CreateNative(Window& window) override;
    void DestroyNative(Window& window) override;
    void UpdateNative(Window& window) override;
    void PlaceNative(Window&) override {}
    void Focus(Window&) override {}
    bool OpenDisplay(Window& window, int32_t width, int32_t height, bool fullscreen) override;
    void CloseDisplay(Window&) override {}
    void PumpEvents(Window& window) override;
    void WaitForEvents(uint32_t ms) override;
    void Present(Window& window, Surface& page) override;
    void NothingNewFor(uint32_t ms) override;
    bool LastPresentHeld() override { return held_; }
    void ShowMessage(const char* caption, const char* text, bool stopIcon) override;
    void CursorPos(int32_t* x, int32_t* y) override;
    bool KeyDown(int virtualKey) override;
    void MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) override;
    void SetTextInput(bool on) override;
    std::string ClipboardText() override;

    // Scripted runs: each present moves the virtual clock by one 10 ms frame
    // and waits as long, as the headless display does, instead of following
    // the real clock at 60 frames a second.
    void SetStepped(bool stepped) { stepped_ = stepped; }

    // What the browser reports, turned into messages at the next pump (all on
    // the page's main thread).
    struct Input {
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    // Ends a held present's wait: the program sees the input at once.
    void Queue(uint32_t message, uintptr_t wParam, intptr_t lParam);
    intptr_t PicturePoint(double clientX, double clientY);
    void Layout();
    void NoteMotion(double clientX, double clientY);
    void NoteButtons(int32_t bits, bool down);
    void SetKey(int vk, bool down);
    void TouchStarted(double clientX, double clientY);
    void TouchEnded();
    bool Scripted() const;
    std::atomic<bool> hidden{false};
    bool altAlone = false;
    bool textInput = false;  // keys that type post their characters as WM_UNICHAR
    bool touchUsed = false;  // the player's last press was a touch

    // What the hidden text field received: a character, or one taken back.
    void Type(char32_t codePoint);
    void Erase();

private:
    // Draws the rectangle around the pixels that differ from the canvas;
    // whether anything new went to it.
    bool ShowChangedPixels(Surface& page);
    void CheckLongPress();

    bool open_ = false;
    bool stepped_ = false;
    std::deque<Input> pending_;
    std::vector<Window*> shown_;  // windows activated on their first show
    int32_t pageWidth_ = 0, pageHeight_ = 0;
    PicturePlacement place_{};
    double pixelRatio_ = 1;
    // Left uninitialised when made: the first present writes all of both
    // (canvasFilled_), and filling them first would cost the page's start.
    std::unique_ptr<uint16_t[]> onCanvas_;  // what the canvas shows
    std::unique_ptr<uint8_t[]> rgba_;       // that rectangle on its way to the canvas
    bool canvasFilled_ = false;
    double nextFrame_ = 0;  // ms on the browser's clock
    double quietUntil_ = 0;  // NothingNewFor's end for the next present
    int unchangedPresents_ = 0;  // in a row, showing nothing new
    bool held_ = false;
    double lastX_ = -1, lastY_ = -1;
    bool keys_[256] = {};
    bool keysTappedSincePoll_[256] = {};
    // A finger on the screen: where, since when, and whether it has already
    // become a right click.
    bool touching_ = false, longPressed_ = false;
    HeldRelease<Input> heldRelease_;  // until the next present (release_hold.h)
    double touchX_ = 0, touchY_ = 0, touchStart_ = 0;
    std::atomic<int32_t> motionX_{0}, motionY_{0}, mouseButtons_{0};
};

WebVideo& WebDisplay();

}  // namespace plat
