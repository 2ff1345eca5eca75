#include "input/mouse.h"

#include "display/blit.h"
#include "display/dirty_rect_manager.h"
#include "display/image.h"
#include "display/surface_ops.h"
#include "platform/qv.h"

Mouse g_Mouse;

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

// Takes one off a click counter; the decreased value, or -1 when it was 0.
int32_t TakeClick(std::atomic<int32_t>& counter) {
    int32_t value = counter.load(kRelaxed);
    while (value != 0 && !counter.compare_exchange_weak(value, value - 1, kRelaxed)) {
    }
    return value == 0 ? -1 : value - 1;
}
}  // namespace

Mouse::Mouse() = default;

Mouse::~Mouse() { Release(); }

int Mouse::LoadCursorImage(const char* path) {
    if (path != nullptr) {
        auto* image = new Image(path);
        if (image->GetSurface() == nullptr) {
            // A picture that does not load gives no cursor rather than one
            // that draws nothing over a saved area.
            delete image;
        } else {
            cursorImages.Add(image);
            cursorWidth = image->width;
            cursorHeight = image->height;
            image->SetColorKey(0, 0, 0);
            for (int32_t slot = 0; slot < 2; ++slot) FitSaveUnder(slot, cursorWidth, cursorHeight);
        }
    }
    page = 0;
    savedX[0] = savedX[1] = -1;
    visible = 0;
    alternatePages = 0;
    return 1;
}

void Mouse::SelectCursor(int32_t index) {
    cursor = index >= 0 && index < cursorImages.Count() ? cursorImages.Get(index) : nullptr;
    // The pointer drawn, and the area saved under it, take the selected
    // picture's size.
    if (cursor != nullptr) {
        cursorWidth = cursor->width;
        cursorHeight = cursor->height;
    }
}

bool Mouse::FitSaveUnder(int32_t slot, int32_t width, int32_t height) {
    plat::SurfacePtr& under = saveUnder[slot];
    if (under != nullptr && under->Width() == width && under->Height() == height) return true;
    under.reset();  // the old copy goes before the new one is made
    under.reset(CreateSurface(width, height));
    savedX[slot] = -1;
    return under != nullptr;
}

void Mouse::Hide() { visible = 0; }
void Mouse::Show() { visible = 1; }
void Mouse::SetPageAlternation(int32_t on) { alternatePages = on & 0xFF; }
void Mouse::SetMessageMode(int32_t on) { messageMode.store(on, kRelaxed); }

void Mouse::SetPosition(int32_t nx, int32_t ny) {
    x.store(nx, kRelaxed);
    y.store(ny, kRelaxed);
}

void Mouse::SetLeftButton(int32_t down) {
    int32_t value = down ? (buttons.load(kRelaxed) | 1) : (buttons.load(kRelaxed) & 2);
    buttons.store(value, kRelaxed);
    Queue(value);
}

void Mouse::SetRightButton(int32_t down) {
    int32_t value = down ? (buttons.load(kRelaxed) | 2) : (buttons.load(kRelaxed) & 1);
    buttons.store(value, kRelaxed);
    Queue(value);
}

void Mouse::Queue(int32_t value) {
    if (buttonQueue != nullptr) buttonQueue->Add(new int32_t(value));
}

void Mouse::SetButtonQueue(int32_t on) {
    if (on) {
        if (buttonQueue == nullptr) buttonQueue = new PtrList<int32_t>(1);
        return;
    }
    if (buttonQueue != nullptr) {
        buttonQueue->DeleteAll();
        delete buttonQueue;
        buttonQueue = nullptr;
    }
}

void Mouse::Read(int32_t* outX, int32_t* outY, int32_t* outButtons, int32_t* outLeft,
                 int32_t* outRight) {
    if (outX) *outX = x.load(kRelaxed);
    if (outY) *outY = y.load(kRelaxed);
    if (outButtons) {
        if (buttonQueue == nullptr) {
            *outButtons = buttons.load(kRelaxed);
        } else if (buttonQueue->Count() == 0) {
            *outButtons = 0;
        } else {
            int32_t* oldest = buttonQueue->Get(0);
            buttonQueue->Remove(oldest);
            *outButtons = *oldest;
            delete oldest;
        }
    }
    int32_t left = TakeClick(leftClicks);
    if (left >= 0 && outLeft) *outLeft = left;
    int32_t right = TakeClick(rightClicks);
    if (right >= 0 && outRight) *outRight = right;
}

void Mouse::Poll() {
    if (messageMode.load(kRelaxed) == 1 || pollEnabled.load(kRelaxed) == 0) return;
    int32_t dx = 0, dy = 0, bits = 0;
    QVGetMouseData(&dx, &dy, &bits);
    buttons.store(bits, kRelaxed);
    int32_t left = bits & 1, right = bits & 2;
    if (left && !polledLeft.load(kRelaxed)) leftClicks.fetch_add(1, kRelaxed);
    if (right && !polledRight.load(kRelaxed)) rightClicks.fetch_add(1, kRelaxed);
    polledLeft.store(left, kRelaxed);
    polledRight.store(right, kRelaxed);
}

void Mouse::DrawCursor(plat::Surface* surface, DirtyRectManager& dirtyRects) {
    const int32_t slot = page;
    page = alternatePages == 1 ? 1 - page : 0;
    if (visible == 0 || cursor == nullptr || surface == nullptr) return;
    if (!FitSaveUnder(slot, cursor->width, cursor->height)) return;
    const int32_t px = X(), py = Y();
    const plat::Rect area{px, py, px + cursor->width, py + cursor->height};
    // A pointer partly off the picture cannot be saved whole: it is not drawn.
    if (saveUnder[slot]->Blt(nullptr, surface, &area, plat::DDBLT_WAIT) != plat::DD_OK) return;
    savedX[slot] = px;
    savedY[slot] = py;
    dirtyRects.AddRectEdges(area.left, area.top, area.right, area.bottom, DirtyRect::kOneShot,
                            DirtyRect::kFromBackground);
    surface->Blt(&area, cursor->GetSurface(), nullptr, plat::DDBLT_WAIT | plat::DDBLT_KEYSRC);
}

void Mouse::RestoreUnder(plat::Surface* surface) {
    if (savedX[page] == -1 || surface == nullptr || saveUnder[page] == nullptr) return;
    // The saved area is as large as its save-under copy, whichever cursor
    // was drawn over it.
    const plat::Rect area{savedX[page], savedY[page], savedX[page] + saveUnder[page]->Width(),
                          savedY[page] + saveUnder[page]->Height()};
    surface->Blt(&area, saveUnder[page].get(), nullptr, plat::DDBLT_WAIT);
    savedX[page] = -1;
}

void Mouse::Release() {
    cursorImages.DeleteAll();
    cursor = nullptr;
    for (plat::SurfacePtr& slot : saveUnder) slot.reset();
    savedX[0] = savedX[1] = -1;
    SetButtonQueue(0);
}
