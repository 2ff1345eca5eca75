#include "platform/qv.h"

#include <SDL.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "platform/bmp_header.h"
#include "platform/message_box.h"
#include "platform/clock.h"
#include "platform/failure.h"
#include "platform/paths.h"
#include "platform/qv_font.h"
#include "platform/sdl_handles.h"
#include "platform/video_driver.h"
#include "platform/window.h"

namespace {

struct QvState {
    plat::WindowHandle window = nullptr;
    plat::DirectDraw* directDraw = nullptr;
    plat::SurfacePtr front;
    plat::SurfacePtr back;
    std::string lastError;
    bool fontReady = false;
    bool mouseCreated = false;
    // Read by the frame timer's thread when the mouse is polled.
    std::atomic<bool> mouseAcquired{false};
    // Frame-rate measure: frames presented since windowStart.
    uint32_t windowStart = 0;
    int32_t framesInWindow = 0;
    float fps = 0.0f;
};

QvState g_qv;

void ReleasePages() {
    g_qv.front.reset();
    g_qv.back.reset();
}

int InitDisplay(plat::WindowHandle window, int32_t width, int32_t height, bool fullscreen) {
    if (g_qv.directDraw == nullptr) g_qv.directDraw = plat::DirectDraw::Create();
    if (g_qv.directDraw == nullptr) {
        g_qv.lastError = "No display could be opened: " + plat::LastFailure() + ".";
        return 0;
    }
    ReleasePages();
    g_qv.front.reset(g_qv.directDraw->CreateSurface(width, height));
    g_qv.back.reset(g_qv.directDraw->CreateSurface(width, height));
    if (g_qv.front == nullptr || g_qv.back == nullptr) plat::Fail("its pages could not be made");
    if (g_qv.front == nullptr || g_qv.back == nullptr ||
        !plat::OpenWindowDisplay(window, width, height, fullscreen)) {
        ReleasePages();
        g_qv.lastError = "The display of " + std::to_string(width) + " by " +
                         std::to_string(height) + " pixels could not be set up: " +
                         plat::LastFailure() + ".";
        return 0;
    }
    g_qv.front->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL | plat::DDBLT_WAIT, 0);
    g_qv.back->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL | plat::DDBLT_WAIT, 0);
    g_qv.window = window;
    g_qv.windowStart = plat::TickCount();
    g_qv.framesInWindow = 0;
    g_qv.fps = 0.0f;
    return 1;
}

int CountBits(uint32_t mask) { return __builtin_popcount(mask); }

plat::Surface* LoadFailed(const char* path, const char* why) {
    g_qv.lastError = std::string("Cannot load ") + path + ": " + why;
    plat::Fail(g_qv.lastError);
    return nullptr;
}

}  // namespace

// The module instance only mattered to Windows' device creation.
void QVSetInstance(void*) {}

int QVInitDirectX(plat::WindowHandle window, int32_t width, int32_t height, int32_t) {
    return InitDisplay(window, width, height, true);
}

int QVInitDirectX(plat::WindowHandle window, int32_t width, int32_t height) {
    return InitDisplay(window, width, height, false);
}

void QVPrintError() {
    plat::ShowStopMessage(g_qv.lastError.empty() ? "Unknown display error." : g_qv.lastError.c_str());
}

plat::DirectDraw* QVGetLPDD() { return g_qv.directDraw; }

void QVGetDDInfo(plat::Surface** primary, plat::Surface** backBuffer) {
    if (primary) *primary = g_qv.front.get();
    if (backBuffer) *backBuffer = g_qv.back.get();
}

void QVGetRGBABits(const plat::PixelFormat& format, int32_t* red, int32_t* green, int32_t* blue,
                   int32_t* alpha) {
    if (red) *red = CountBits(format.redMask);
    if (green) *green = CountBits(format.greenMask);
    if (blue) *blue = CountBits(format.blueMask);
    if (alpha) *alpha = CountBits(format.alphaMask);
}

plat::Surface* QVLoadBitmap(const char* path) { return QVLoadBitmap(path, 16); }

plat::Surface* QVLoadBitmap(const char* path, int32_t) {
    if (path == nullptr) return nullptr;
    // The headers are checked before SDL reads the picture, so that a file
    // claiming more pixels than it holds is refused before anything is
    // allocated for them.
    const std::string resolved = plat::ResolvePath(path);
    // Only a file: opening a pipe or a device named as a picture would wait
    // for ever or read without end.
    struct stat info{};
    if (stat(resolved.c_str(), &info) != 0) return LoadFailed(path, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return LoadFailed(path, "not a file");
    SDL_RWops* file = SDL_RWFromFile(resolved.c_str(), "rb");
    if (file == nullptr) return LoadFailed(path, SDL_GetError());
    uint8_t head[plat::kBmpHeadBytes];
    const size_t headBytes = SDL_RWread(file, head, 1, sizeof head);
    const Sint64 fileBytes = SDL_RWsize(file);
    std::string why;
    if (fileBytes < 0 || !plat::BmpHeaderFits(head, headBytes, static_cast<uint64_t>(fileBytes), &why) ||
        SDL_RWseek(file, 0, RW_SEEK_SET) != 0) {
        SDL_RWclose(file);
        return LoadFailed(path, why.empty() ? SDL_GetError() : why.c_str());
    }
    const plat::SdlSurfacePtr loaded(SDL_LoadBMP_RW(file, 1));
    if (loaded == nullptr) return LoadFailed(path, SDL_GetError());
    plat::SdlSurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB565, 0));
    if (converted == nullptr) return LoadFailed(path, SDL_GetError());
    try {
        return plat::Surface::Adopt(std::move(converted));
    } catch (const std::bad_alloc&) {
        return LoadFailed(path, "out of memory");
    }
}

int QVFlip() {
    if (g_qv.front == nullptr || g_qv.back == nullptr) return plat::DDERR_INVALIDPARAMS;
    g_qv.back->SwapPixels(*g_qv.front);
    plat::PresentPage(g_qv.window, *g_qv.front);

    // The rate is the loop's at the display's pace: a present held while
    // nothing changed starts the measure again and keeps the last rate.
    if (plat::LastPresentHeld()) {
        g_qv.framesInWindow = 0;
        g_qv.windowStart = plat::TickCount();
        return plat::DD_OK;
    }
    ++g_qv.framesInWindow;
    uint32_t elapsed = plat::TickCount() - g_qv.windowStart;
    if (elapsed >= 1000) {
        g_qv.fps = static_cast<float>(g_qv.framesInWindow) * 1000.0f / static_cast<float>(elapsed);
        g_qv.framesInWindow = 0;
        g_qv.windowStart += elapsed;
    }
    return plat::DD_OK;
}

int QVPrintString(const char* text, int32_t x, int32_t y) {
    if (!g_qv.fontReady || g_qv.back == nullptr) return 0;
    qvfont::DrawText(*g_qv.back, text, x, y);
    return 1;
}

float QVGetFPS() { return g_qv.fps; }

int QVInitFont(plat::WindowHandle) {
    g_qv.fontReady = true;
    return 1;
}

void QVFreeFont() { g_qv.fontReady = false; }

int QVInitMouse() {
    g_qv.mouseCreated = true;
    return 1;
}

int QVAcquireMouse(int acquire) {
    if (!g_qv.mouseCreated) return 0;
    g_qv.mouseAcquired = acquire != 0;
    return 1;
}

void QVGetMouseData(int32_t* dx, int32_t* dy, int32_t* buttons) {
    int32_t x = 0, y = 0, b = 0;
    if (g_qv.mouseAcquired) plat::Video().MouseState(&x, &y, &b);
    if (dx) *dx = x;
    if (dy) *dy = y;
    if (buttons) *buttons = b;
}

// Keys arrive as window messages and through plat::IsKeyDown; there is no
// separate keyboard device to make.
int QVInitKeyboard() { return 1; }

// The platform places the picture in the window itself (scaled, centred), so
// the place the shell computes is not needed.
void QVSetWindowXY(int32_t, int32_t) {}

void QVFreeDirectInput() {
    g_qv.mouseCreated = false;
    g_qv.mouseAcquired = false;
}

void QVFreeDirectX() {
    if (g_qv.window) plat::CloseWindowDisplay(g_qv.window);
    ReleasePages();
    if (g_qv.directDraw) g_qv.directDraw->Release();
    g_qv.directDraw = nullptr;
    g_qv.window = nullptr;
}

