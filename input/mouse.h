#pragma once
// The mouse: pointer position in the picture's coordinates and the button word
// (bit 0 left, bit 1 right), written by the window procedure from messages
// (or, in poll mode, by the timer thread from the mouse device), read by the
// scenes once per frame. An optional queue hands every button change to the
// reader one read at a time.
#include <atomic>
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/surface.h"

class DirtyRectManager;
class Image;

class Mouse {
public:
    Mouse();
    ~Mouse();
    Mouse(const Mouse&) = delete;
    Mouse& operator=(const Mouse&) = delete;

    int LoadCursorImage(const char* path);
    void SelectCursor(int32_t index);
    void Hide();
    void Show();
    void SetPageAlternation(int32_t on);
    void SetMessageMode(int32_t on);
    void SetPosition(int32_t x, int32_t y);
    void SetLeftButton(int32_t down);
    void SetRightButton(int32_t down);
    void SetButtonQueue(int32_t on);
    // Every out is optional; see the class comment for the queue.
    void Read(int32_t* x, int32_t* y, int32_t* buttons, int32_t* leftClicks, int32_t* rightClicks);
    // Timer thread, every tick: reads the device unless in message mode.
    void Poll();
    // Draws the software pointer at (x, y) into the surface, keeping what it
    // covers, and reports the area to the page's dirty rectangles so that the
    // screen shows it; called just before the flip.
    void DrawCursor(plat::Surface* surface, DirtyRectManager& dirtyRects);
    // Puts back what the last pointer drawing on this page covered.
    void RestoreUnder(plat::Surface* surface);
    // Cursor images, save-under surfaces and the button queue.
    void Release();

    int32_t X() const { return x.load(std::memory_order_relaxed); }
    int32_t Y() const { return y.load(std::memory_order_relaxed); }
    int32_t Buttons() const { return buttons.load(std::memory_order_relaxed); }

    Image* cursor = nullptr;
    PtrList<Image> cursorImages{1};
    plat::SurfacePtr saveUnder[2];
    int32_t page = 0;
    int32_t savedX[2] = {-1, -1};
    int32_t savedY[2] = {0, 0};
    int32_t cursorWidth = 0, cursorHeight = 0;  // of the cursor last loaded or selected
    int32_t visible = 0;
    int32_t alternatePages = 0;
    // Shared with the timer thread's poll.
    std::atomic<int32_t> x{0};
    std::atomic<int32_t> y{0};
    std::atomic<int32_t> buttons{0};
    std::atomic<int32_t> leftClicks{0};
    std::atomic<int32_t> rightClicks{0};
    std::atomic<int32_t> pollEnabled{1};
    std::atomic<int32_t> messageMode{0};
    PtrList<int32_t>* buttonQueue = nullptr;

private:
    void Queue(int32_t value);
    // Makes the save-under copy of the slot width by height (a new one when
    // its size differs, which forgets what it held); false when it cannot.
    bool FitSaveUnder(int32_t slot, int32_t width, int32_t height);
    // The previous poll's button bits, for counting presses.
    std::atomic<int32_t> polledLeft{0};
    std::atomic<int32_t> polledRight{0};
};

extern Mouse g_Mouse;
