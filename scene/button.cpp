#include "scene/button.h"

#include <cstdio>
#include <string>

#include "display/dirty_rect_manager.h"
#include "display/frames.h"
#include "display/surface_ops.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/surface.h"
#include "runtime/frame_page.h"

namespace {
uint8_t g_ClickOnPress = 0;

// What the pixel test says about a point.
enum class PixelHit { Opaque, Transparent, Unknown };
}  // namespace

void SetClickOnPress(uint8_t value) { g_ClickOnPress = value; }

uint8_t GetClickOnPress() { return g_ClickOnPress; }

Button::Button() : Button(0, 0, 0, 0) {}

Button::Button(int32_t atX, int32_t atY) : Button(atX, atY, 0, 0) {}

Button::Button(int32_t atX, int32_t atY, int32_t w, int32_t h)
    : x(atX), y(atY), width(w), height(h), hitX(atX), hitY(atY), hitWidth(w), hitHeight(h),
      offsetX(0), offsetY(0), state(kNormal), frameBase(0), frames(new PtrList<ButtonFrame>(1)),
      clicked(0), clickButton(0), name(""), enabled(1), fixedFrame(0), markDirty(0),
      pixelTest(0), hovered(0), forcedFrame(-1), page(nullptr) {}

Button::~Button() {
    if (frames == nullptr) return;
    for (int32_t i = 0; i < frames->Count(); ++i) {
        if (frames->Get(i)->owned != 0) frames->Get(i)->surface->Release();
    }
    frames->DeleteAll();
    delete frames;
}

int Button::AddFrame(int32_t frameId, plat::Surface* surface) {
    if (surface == nullptr) return 0;
    SetColorKeyRGB(surface, 0, 0, 255);
    if (frames == nullptr) frames = new PtrList<ButtonFrame>(1);
    frames->Add(new ButtonFrame{frameId, surface, 0});
    width = hitWidth = surface->Width();
    height = hitHeight = surface->Height();
    return 1;
}

void Button::TakeOwnership(plat::Surface* surface) {
    for (int32_t i = 0; i < FrameCount(); ++i) {
        if (frames->Get(i)->surface == surface) {
            frames->Get(i)->owned = 1;
            return;
        }
    }
}

int Button::LoadFrame(int32_t frameId, const char* fileName) {
    plat::Surface* surface = QVLoadBitmap(fileName, 16);
    if (surface == nullptr) return 0;
    AddFrame(frameId, surface);
    TakeOwnership(surface);
    return 1;
}

Status Button::LoadStrip(const char* fileName, int32_t count, int32_t vertical) {
    PtrList<plat::Surface> cells(count > 0 ? count : 1);
    int32_t w = 0, h = 0;
    Status status = LoadStripFrames(fileName, count, vertical, &cells, &w, &h);
    if (status && cells.Count() == count) {
        for (int32_t i = 0; i < count; ++i) {
            AddFrame(i, cells.Get(i));
            TakeOwnership(cells.Get(i));
        }
        return status;
    }
    // A strip that does not cut into exactly count frames adds none; the
    // cells made are nobody's, so they go.
    for (int32_t i = 0; i < cells.Count(); ++i) cells.Get(i)->Release();
    if (status) {
        status = Status::Failed(std::string(fileName) + ": cut into " + std::to_string(cells.Count()) +
                                " pictures, not " + std::to_string(count));
    }
    return status;
}

void Button::MoveTo(int32_t newState) {
    if (state == newState) return;
    SetState(newState);
    Redraw(nullptr);
}

int Button::OnMessage(uint32_t message, uintptr_t, intptr_t lParam) {
    if (enabled == 0) return state;
    const int32_t mx = plat::LowWord(lParam), my = plat::HighWord(lParam);
    const int32_t left = hitX + offsetX, top = hitY + offsetY;
    // Messages count the right and bottom edges as inside, unlike Poll.
    hovered = (left <= mx && mx <= left + hitWidth && top <= my && my <= top + hitHeight) ? 1 : 0;
    clicked = 0;
    clickButton = 0;
    switch (message) {
        case plat::WM_MOUSEMOVE:
            if (hovered == 0) {
                MoveTo(kNormal);
            } else if (state != kHovered && state != kPressed) {
                MoveTo(kHovered);
            }
            break;
        case plat::WM_LBUTTONDOWN: MoveTo(hovered != 0 ? kPressed : kNormal); break;
        case plat::WM_LBUTTONUP:
            if (hovered != 0) {
                clicked = 1;
                clickButton = 1;
                MoveTo(kHovered);
            } else {
                MoveTo(kNormal);
            }
            break;
        case plat::WM_RBUTTONUP:
            if (hovered != 0) {
                clicked = 1;
                clickButton = 2;
            }
            break;
        default: break;
    }
    return state;
}

int Button::Poll(int32_t mouseX, int32_t mouseY, int32_t mouseButtons) {
    if (enabled == 0) return state;
    const int32_t left = hitX + offsetX, top = hitY + offsetY;
    hovered = (left <= mouseX && mouseX < left + hitWidth && top <= mouseY &&
               mouseY < top + hitHeight)
                  ? 1
                  : 0;
    clicked = 0;
    clickButton = 0;

    // The pixel test: pure blue of frame 0 is not part of the button. Without
    // a frame 0 the test cannot tell, and what needs it does not happen.
    PixelHit hit = PixelHit::Opaque;
    if (pixelTest != 0) {
        plat::Surface* picture = FrameCount() > 0 ? frames->Get(0)->surface : nullptr;
        if (picture == nullptr) {
            hit = PixelHit::Unknown;
        } else {
            const bool blue = GetPixel(picture, mouseX - left, mouseY - top) ==
                              RGBToPixel(picture, 0, 0, 255);
            hit = blue ? PixelHit::Transparent : PixelHit::Opaque;
        }
    }

    if (mouseButtons & 1) {
        if (hovered == 0) {
            MoveTo(kNormal);
        } else if (state != kPressed) {
            if (hit == PixelHit::Opaque) MoveTo(kPressed);
            if (g_ClickOnPress == 1) clicked = 1;
        }
    } else if (hovered == 0) {
        MoveTo(kNormal);
    } else if (hit == PixelHit::Opaque) {
        if (state == kPressed) {
            // A press released over the button: the click, unless the press
            // already reported it.
            if (g_ClickOnPress == 0) clicked = 1;
            clickButton = 1;
        }
        MoveTo(kHovered);
    } else if (hit == PixelHit::Transparent) {
        SetState(kNormal);
        Redraw(nullptr);
    }
    return state;
}

plat::Surface* Button::BackPage() const { return page != nullptr ? page->back : nullptr; }

void Button::Redraw(plat::Surface* destination) {
    Draw(destination != nullptr ? destination : BackPage());
}

void Button::SetFrameBase(int32_t base) {
    frameBase = base;
    Refresh();
}

void Button::Draw(plat::Surface* destination) {
    const int32_t count = FrameCount();
    if (count == 0 || destination == nullptr) return;
    int32_t index = state + frameBase;
    if (fixedFrame != 0) index = 0;
    if (forcedFrame != -1) index = forcedFrame;
    // Past the frames the last one stands in; a negative index names none.
    if (index < 0) return;
    if (index >= count) index = count - 1;
    const int32_t left = x + offsetX, top = y + offsetY;
    const plat::Rect area{left, top, left + width, top + height};
    if (markDirty != 0) {
        DirtyRectsOf(page).AddRectEdges(area.left, area.top, area.right, area.bottom,
                                        DirtyRect::kOneShot, DirtyRect::kFromBackground);
    }
    // The whole frame, stretched to the rectangle when the sizes differ.
    destination->Blt(&area, frames->Get(index)->surface, nullptr,
                     plat::DDBLT_WAIT | plat::DDBLT_KEYSRC);
}

void Button::Refresh() {
    if (enabled != 0) Draw(BackPage());
}

int Button::WasClicked() { return clicked; }

void Button::Reset() {
    SetState(kNormal);
    Refresh();
}

void Button::SetName(const char* text) { std::snprintf(name, sizeof name, "%s", text ? text : ""); }

void Button::SetOffset(int32_t dx, int32_t dy) {
    offsetX = dx;
    offsetY = dy;
}

void Button::SetEnabled(int32_t flag) { enabled = flag; }

void Button::Stamp(int32_t flag) {
    if (flag == 0) return;
    // A missing layer is skipped rather than drawn on the back buffer.
    const DirtyRectManager& dirtyRects = DirtyRectsOf(page);
    if (dirtyRects.GetBackdrop() != nullptr) Redraw(dirtyRects.GetBackdrop());
    if (dirtyRects.GetBackground() != nullptr) Redraw(dirtyRects.GetBackground());
}

void Button::SwapFirstFrames() {
    if (FrameCount() < 2) return;
    ButtonFrame* firstFrame = frames->Get(0);
    frames->Set(0, frames->Get(1));
    frames->Set(1, firstFrame);
    Refresh();
}

void Button::SetFixedFrame(int32_t flag) { fixedFrame = flag; }

void Button::SetState(int32_t newState) { state = newState; }

int Button::GetState() { return state; }

void Button::SetHitRect(int32_t hx, int32_t hy, int32_t hw, int32_t hh) {
    hitX = hx;
    hitY = hy;
    hitWidth = hw;
    hitHeight = hh;
}

void Button::SetMarkDirty(int32_t flag) { markDirty = flag; }

void Button::SetPixelTest(int32_t flag) { pixelTest = flag; }

int Button::IsHovered() { return hovered; }

void Button::SetForcedFrame(int32_t index) { forcedFrame = index; }

int Button::GetForcedFrame() { return forcedFrame; }
