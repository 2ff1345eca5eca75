#include "scene/sprite.h"

#include <cstdio>

#include "display/blit.h"
#include "display/dirty_rect_manager.h"
#include "display/frames.h"
#include "display/surface_ops.h"
#include "platform/debug_log.h"
#include "platform/message_box.h"
#include "platform/qv.h"
#include "platform/surface.h"
#include "runtime/frame_page.h"
#include "runtime/frame_timer.h"

Sprite::Sprite()
    : name(""), x(0), y(0), vx(0), vy(0), width(0), height(0), mode(kPlayOnceHold), playing(0),
      frames(new PtrList<plat::Surface>(1)), frame(0), centred(0), rect{0, 0, 0, 0}, delay(0),
      step(1), stamp(0), sharesFrames(0), first(-1), last(-1), restoreBeforeDraw(0),
      markDirty(1), wrap(0), animate(1), visible(1), page(nullptr) {}

Sprite::Sprite(const Sprite& templateSprite) : Sprite() {
    for (int32_t i = 0; i < templateSprite.FrameCount(); ++i) {
        Sprite::AddFrame(templateSprite.frames->Get(i));
    }
    x = templateSprite.x;
    y = templateSprite.y;
    width = templateSprite.width;
    height = templateSprite.height;
    step = templateSprite.step;
    frame = templateSprite.frame;
    centred = templateSprite.centred;
    vx = templateSprite.vx;
    vy = templateSprite.vy;
    stamp = templateSprite.stamp;
    delay = templateSprite.delay;
    first = templateSprite.first;
    last = templateSprite.last;
    restoreBeforeDraw = templateSprite.restoreBeforeDraw;
    markDirty = templateSprite.markDirty;
    wrap = templateSprite.wrap;
    animate = templateSprite.animate;
    mode = templateSprite.mode;
    playing = templateSprite.playing;
    visible = templateSprite.visible;
    page = templateSprite.page;
    std::snprintf(name, sizeof name, "%s", templateSprite.name);
    sharesFrames = 1;
}

Sprite::~Sprite() {
    if (frames == nullptr) return;
    if (sharesFrames == 0) {
        for (int32_t i = 0; i < frames->Count(); ++i) frames->Get(i)->Release();
    }
    delete frames;
}

void Sprite::Rewind() { frame = 0; }

int Sprite::AddFrame(plat::Surface* surface) {
    if (surface == nullptr || frames == nullptr) return 1;
    SetColorKeyRGB(surface, 0, 0, 255);
    int32_t w = 0, h = 0;
    GetSurfaceSize(surface, &w, &h);
    SetRect(0, 0, w, h);
    frames->Add(surface);
    first = 0;
    last = frames->Count();
    width = w;
    height = h;
    return 1;
}

int Sprite::LoadFrame(const char* fileName) {
    if (frames == nullptr) return 1;
    plat::Surface* surface = QVLoadBitmap(fileName, 16);
    AddFrame(surface);
    // A missing picture is worth telling about, but the game goes on without it.
    if (surface == nullptr) plat::ShowMessage("ERROR: can't find file!", fileName);
    return 1;
}

int Sprite::AddSharedFrame(plat::Surface* surface) {
    sharesFrames = 1;
    return AddFrame(surface);
}

void Sprite::SetPosition(int32_t newX, int32_t newY) {
    x = static_cast<float>(newX);
    y = static_cast<float>(newY);
}

void Sprite::DrawOnBackground() { Draw(DirtyRectsOf(page).GetBackground()); }

plat::Surface* Sprite::CurrentSurface() const {
    if (frame < 0 || frame >= FrameCount()) return nullptr;
    return frames->Get(frame);
}

void Sprite::ReportDrawn(int32_t left, int32_t top, int32_t w, int32_t h) const {
    if (markDirty == 0) return;
    DirtyRectsOf(page).AddRectEdges(left, top, left + w, top + h, DirtyRect::kOneShot,
                                    DirtyRect::kFromBackground);
}

void Sprite::DrawPart(int32_t sx, int32_t sy, int32_t w, int32_t h, plat::Surface* destination,
                      int32_t dx, int32_t dy) {
    if (restoreBeforeDraw != 0) DirtyRectsOf(page).AddRect(dx, dy, w, h);
    plat::Surface* surface = CurrentSurface();
    if (surface == nullptr) return;
    if (visible != 0 && destination != nullptr) {
        BlitRect(surface, sx, sy, w, h, destination, dx, dy, kKeyedBlit);
    }
    ReportDrawn(dx, dy, w, h);
}

void Sprite::Draw(plat::Surface* destination) {
    // The sprite's area, its position truncated rather than centred.
    if (restoreBeforeDraw != 0) {
        DirtyRectsOf(page).AddRect(static_cast<int32_t>(x), static_cast<int32_t>(y), width, height);
    }
    plat::Surface* surface = CurrentSurface();
    if (surface == nullptr) return;
    // The halves are whole pixels; the subtraction keeps x's fraction until
    // the final truncation.
    const int32_t px = centred != 0 ? static_cast<int32_t>(x - static_cast<float>(width / 2))
                                    : static_cast<int32_t>(x);
    const int32_t py = centred != 0 ? static_cast<int32_t>(y - static_cast<float>(height / 2))
                                    : static_cast<int32_t>(y);
    if (visible != 0 && destination != nullptr) BlitAt(surface, destination, px, py, kKeyedBlit);
    ReportDrawn(px, py, width, height);
}

void Sprite::Move() {
    x += vx;
    y += vy;
}

void Sprite::SetRect(int32_t a, int32_t b, int32_t c, int32_t d) {
    rect[0] = a;
    rect[1] = b;
    rect[2] = c;
    rect[3] = d;
}

void Sprite::SetFrame(int32_t index) {
    if (index >= 0 && index < FrameCount()) frame = index;
}

int32_t Sprite::GetFrame() { return frame; }

void Sprite::SetVisible(int32_t flag) { visible = flag; }

void Sprite::SetDelay(int32_t milliseconds) { delay = milliseconds; }

int Sprite::SetColorKey(int32_t red, int32_t green, int32_t blue) {
    for (int32_t i = 0; i < FrameCount(); ++i) SetColorKeyRGB(frames->Get(i), red, green, blue);
    return FrameCount();
}

int Sprite::Step() {
    const uint32_t now = FrameTimer::Now();
    // Not due yet (times compared by their 32-bit difference).
    if (static_cast<int32_t>(stamp - now) >= 0) return 0;
    const int32_t next = frame + step;
    if (next >= 0 && next < FrameCount()) {
        frame = next;
    } else if (wrap != 0) {
        frame = step == 1 ? 0 : FrameCount() - 1;
    }
    stamp = now + static_cast<uint32_t>(delay);
    return 1;
}

void Sprite::SetFrameIndex(int32_t index) { frame = index; }

int Sprite::LoadStrip(const char* fileName, int32_t count, int32_t vertical) {
    int32_t w = 0, h = 0;
    const Status loaded = LoadStripFrames(fileName, count, vertical, frames, &w, &h);
    NoteLeftOut(loaded);
    // Without the picture the sprite stays as it was; a strip that loaded
    // gives the sprite its size even when it cut into no frames.
    if (w == 0) return 0;
    width = w;
    height = h;
    first = 0;
    last = FrameCount();
    return FrameCount();
}

int Sprite::LoadSheet(const char* fileName, int32_t cellWidth, int32_t cellHeight) {
    if (cellWidth < 1 || cellHeight < 1) return 0;
    NoteLeftOut(LoadFrames(fileName, frames, cellWidth, cellHeight, nullptr));
    width = cellWidth;
    height = cellHeight;
    first = 0;
    last = FrameCount();
    return FrameCount();
}

void Sprite::SetRange(int32_t firstFrame, int32_t lastFrame) {
    first = firstFrame;
    last = lastFrame;
}

void Sprite::SetName(const char* text) { std::snprintf(name, sizeof name, "%s", text ? text : ""); }

void Sprite::SetPlaying(int32_t flag) { playing = flag; }

void Sprite::SetMode(int32_t newMode) { mode = newMode; }

void Sprite::SetMarkDirty(int32_t flag) { markDirty = flag; }

void Sprite::Update() {
    if (animate == 0 || first == -1) return;
    const uint32_t now = FrameTimer::Now();
    if (static_cast<int32_t>(now - stamp) <= delay) return;
    stamp = now;
    if (playing == 1) {
        frame += step;
        SetFrame(frame);
    }
    // The ends are checked even when not playing, so a frame set out of range
    // by hand is brought back the same way.
    if (frame >= last) {
        switch (mode) {
            case kPlayOnceHold: playing = 0; frame = last - 1; break;
            case kLoop: frame = first; break;
            case kPlayOnceRewind: playing = 0; frame = first; break;
            case kPlayOnceVanish: playing = 0; frame = -1; break;
            default: break;
        }
    }
    if (frame < 0) {
        switch (mode) {
            case kPlayOnceHold: playing = 0; frame = first; break;
            case kLoop: frame = last - 1; break;
            case kPlayOnceRewind: playing = 0; frame = first; break;
            case kPlayOnceVanish: playing = 0; frame = -1; break;
            default: break;
        }
    }
}

void Sprite::SplitWidth() {
    if (FrameCount() > 0) width /= FrameCount();
}

void Sprite::SetCentred(int32_t flag) { centred = flag; }
