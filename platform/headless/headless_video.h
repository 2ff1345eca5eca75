#pragma once
// The headless backend's display: windows that exist only as records, input
// that tests post as messages or set as state, and presentation that keeps the
// last presented page for inspection and moves the virtual clock by one frame.
#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/video_driver.h"

namespace plat {

class HeadlessVideo : public VideoDriver {
public:
    bool Open() override;
    void Close() override {}
    void ScreenSize(int32_t* width, int32_t* height) override;
    std::vector<DisplayArea> DisplayAreas() override;
    int32_t DesktopBitsPerPixel() override { return desktopBits_; }
    bool CreateNative(Window& window) override;
    void DestroyNative(Window& window) override;
    void UpdateNative(Window& window) override;
    void PlaceNative(Window&) override {}
    void Focus(Window&) override {}
    bool OpenDisplay(Window& window, int32_t width, int32_t height, bool fullscreen) override;
    void CloseDisplay(Window&) override { displayOpen_ = false; }
    void PumpEvents(Window&) override {}
    void WaitForEvents(uint32_t ms) override;
    void Present(Window& window, Surface& page) override;
    void NothingNewFor(uint32_t ms) override { quietMs_ = ms; }
    bool LastPresentHeld() override { return presentsHeld_; }
    void ShowMessage(const char* caption, const char* text, bool stopIcon) override;
    void CursorPos(int32_t* x, int32_t* y) override;
    bool KeyDown(int virtualKey) override;
    void MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) override;
    void SetTextInput(bool on) override { textInput_ = on; }
    std::string ClipboardText() override { return clipboard_; }

    // Test controls.
    void Reset();
    void SetScreen(int32_t width, int32_t height, int32_t bitsPerPixel);
    // A display beside the screen of SetScreen, which stays the primary.
    void AddDisplay(const DisplayArea& area) { extraDisplays_.push_back(area); }
    void SetWindowCreationFails(bool fails) { windowCreationFails_ = fails; }
    void SetCursor(int32_t x, int32_t y);
    void SetKeyDown(int virtualKey, bool down);
    void SetMouseButtons(int32_t buttons) { mouseButtons_.store(buttons); }
    void SetClipboard(std::string text) { clipboard_ = std::move(text); }
    // Virtual milliseconds that each presented frame takes (default 10).
    void SetFramePeriod(uint32_t ms) { framePeriod_ = ms; }

    int32_t PresentCount() const { return presents_; }
    // What NothingNewFor offered the last present (0 for nothing); the
    // headless display presents every frame all the same.
    uint32_t LastPresentQuietMs() const { return lastQuietMs_; }
    // Test control: LastPresentHeld's answer.
    void SetPresentsHeld(bool held) { presentsHeld_ = held; }
    bool DisplayOpen() const { return displayOpen_; }
    bool Fullscreen() const { return fullscreen_; }
    bool TextInputOn() const { return textInput_; }
    // A copy of the page most recently presented; null before the first.
    Surface* LastPresented() const { return lastPresented_.get(); }
    const std::string& LastError() const { return lastError_; }

private:
    // A window that is shown for the first time becomes the active one, as a
    // desktop would make it.
    void ActivateOnFirstShow(Window& window);
    struct SurfaceDeleter {
        void operator()(Surface* s) const;
    };
    int32_t screenWidth_ = 1920, screenHeight_ = 1080, desktopBits_ = 32;
    std::vector<DisplayArea> extraDisplays_;
    bool windowCreationFails_ = false;
    int32_t cursorX_ = 0, cursorY_ = 0;
    std::set<int> keysDown_;
    std::set<const Window*> activated_;
    std::atomic<int32_t> mouseButtons_{0};
    uint32_t framePeriod_ = 10;
    int32_t presents_ = 0;
    uint32_t quietMs_ = 0, lastQuietMs_ = 0;
    bool presentsHeld_ = false;
    bool displayOpen_ = false;
    bool fullscreen_ = false;
    bool textInput_ = false;
    std::string clipboard_;
    std::unique_ptr<Surface, SurfaceDeleter> lastPresented_;
    std::string lastError_;
};

// The headless backend's display, for tests and tools to drive.
HeadlessVideo& HeadlessDisplay();

}  // namespace plat
