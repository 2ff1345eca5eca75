#pragma once
// Button: the one kind of on-screen control. A rectangle with a picture per
// visual state (0 normal, 1 hovered, 2 pressed) that follows the mouse,
// changes its picture and raises its clicked flag for one poll when the
// player clicks it. Buttons are found by name in their scene's ButtonList.
#include <cstdint>

#include "base/ptr_list.h"
#include "base/status.h"
#include "platform/surface.h"

struct FramePage;

// One picture of a button.
struct ButtonFrame {
    int32_t id;  // the number given when the frame was added; stored only
    plat::Surface* surface;
    // 1 when the button loaded the surface itself and so releases it;
    // surfaces handed in through AddFrame stay their giver's.
    int32_t owned;
};

// When Poll reports a click: 0 on the release over a pressed button, 1
// already on the press. 0 at start.
void SetClickOnPress(uint8_t value);
uint8_t GetClickOnPress();

class Button {
public:
    static constexpr int32_t kNormal = 0;
    static constexpr int32_t kHovered = 1;
    static constexpr int32_t kPressed = 2;

    Button();
    // Drawn and hit at (x, y); the first frame added gives both their size.
    Button(int32_t atX, int32_t atY);
    Button(int32_t atX, int32_t atY, int32_t w, int32_t h);
    // Releases the surfaces the button loaded itself.
    virtual ~Button();
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // Keys the surface with pure blue and appends it; the button takes its
    // size. The surface stays the caller's. 0 for a null surface.
    virtual int AddFrame(int32_t frameId, plat::Surface* surface);
    // Appends a frame loaded from a BMP, which the button then owns; 0 when
    // the file does not load.
    virtual int LoadFrame(int32_t frameId, const char* fileName);
    // Cuts a strip into count frames (side by side, or stacked when
    // vertical), which the button owns. Adds nothing, and fails, when the
    // file does not load, count is below 1, or the strip does not cut into
    // exactly count.
    virtual Status LoadStrip(const char* fileName, int32_t count, int32_t vertical);
    // The state machine driven by window mouse messages; returns the state.
    virtual int OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // The state machine driven by the mouse state once per frame; returns
    // the state.
    virtual int Poll(int32_t mouseX, int32_t mouseY, int32_t mouseButtons);
    // Draws on the destination, or on the page's back page when it is null.
    virtual void Redraw(plat::Surface* destination);
    virtual void SetFrameBase(int32_t base);
    virtual void Draw(plat::Surface* destination);
    // Draws on the page's back page when enabled.
    virtual void Refresh();
    virtual int WasClicked();
    virtual void Reset();
    virtual void SetName(const char* text);
    virtual void SetOffset(int32_t dx, int32_t dy);
    virtual void SetEnabled(int32_t flag);
    // Draws the button into the page's backdrop and background layers, so
    // the picture becomes part of the scene's background.
    virtual void Stamp(int32_t flag);
    // Exchanges frames 0 and 1 (a two-picture toggle); nothing with fewer.
    virtual void SwapFirstFrames();
    virtual void SetFixedFrame(int32_t flag);
    virtual void SetState(int32_t newState);
    virtual int GetState();
    virtual void SetHitRect(int32_t hx, int32_t hy, int32_t hw, int32_t hh);
    virtual void SetMarkDirty(int32_t flag);
    virtual void SetPixelTest(int32_t flag);
    virtual int IsHovered();
    virtual void SetForcedFrame(int32_t index);
    virtual int GetForcedFrame();

    int32_t x, y, width, height;
    int32_t hitX, hitY, hitWidth, hitHeight;
    int32_t offsetX, offsetY;
    int32_t state;
    int32_t frameBase;
    PtrList<ButtonFrame>* frames;
    int32_t clicked;
    int32_t clickButton;  // 1 left, 2 right
    char name[64];
    int32_t enabled;
    int32_t fixedFrame;
    int32_t markDirty;
    int32_t pixelTest;
    int32_t hovered;
    int32_t forcedFrame;  // -1: none
    // The page of the scene the button belongs to (Scene::AddButton), whose
    // manager its reports go to; a button without one draws only where it is
    // told (see DirtyRectsOf).
    FramePage* page;

private:
    int32_t FrameCount() const { return frames ? frames->Count() : 0; }
    plat::Surface* BackPage() const;
    // Marks the frame holding the surface as the button's own.
    void TakeOwnership(plat::Surface* surface);
    // Sets the state and redraws, when the state differs.
    void MoveTo(int32_t newState);
};
