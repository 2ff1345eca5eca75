#include "shell/splash.h"

#include "display/blit.h"
#include "display/picture.h"
#include "platform/debug_log.h"
#include "input/mouse.h"
#include "platform/qv.h"
#include "platform/surface.h"
#include "runtime/frame_timer.h"
#include "runtime/message_pump.h"
#include "runtime/shell_state.h"

namespace {

constexpr int32_t kShowMs = 5000;

void CopyToBackBuffer(plat::Surface* picture) {
    plat::Surface* back = g_Shell.page.back;
    if (back == nullptr) return;
    BlitRect(picture, 0, 0, picture->Width(), picture->Height(), back, 0, 0, plat::DDBLT_WAIT);
}

void ShowPicture(const char* path) {
    plat::SurfacePtr picture;
    if (const Status loaded = LoadPicture(path, 16, &picture); !loaded) {
        NoteLeftOut(loaded);
        return;
    }
    CopyToBackBuffer(picture.get());
    QVFlip();
    // The wait keeps flipping: put the picture on the other page as well, or
    // it would alternate with whatever that page held.
    CopyToBackBuffer(picture.get());
    WaitOrClick(kShowMs);
}

}  // namespace

void ShowSplash() { ShowPicture(".\\Title\\TovaliSplash.bmp"); }

void ShowCredits() { ShowPicture(".\\Title\\TovaliCredit.bmp"); }

void WaitOrClick(int32_t ms) {
    const uint32_t start = FrameTimer::Now();
    while (FrameTimer::Elapsed(start) < ms) {
        if (PumpMessages() == 1) return;
        if (g_Mouse.Buttons() != 0) return;
        QVFlip();
    }
}
