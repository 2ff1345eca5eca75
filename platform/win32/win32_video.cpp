#include "platform/win32/win32_video.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/failure.h"
#include "platform/picture_placement.h"
#include "platform/screenshot.h"
#include "platform/surface.h"
#include "platform/window.h"

// After the platform's headers: Windows' macros for the message numbers and
// keys have the platform's values, and its function-name macros would
// otherwise rename the platform's own functions.
#include <windows.h>

#include "platform/win32/windows_error.h"
// After windows.h, which it needs.
#include <mmsystem.h>

namespace plat {

namespace {

constexpr wchar_t kClassName[] = L"ReefHoard";
// The shortest frame when the display's refresh rate is unknown: 60 Hz.
constexpr int kFallbackRefreshHz = 60;

// What the driver keeps for one window besides the platform's record.
struct WindowState {
    Window* window = nullptr;
    HWND hwnd = nullptr;
    int32_t pageWidth = 0, pageHeight = 0;
    std::vector<uint16_t> shown;  // the page the window shows, for repaints
    bool stale = true;            // the window needs the whole picture again
    bool altAlone = false;        // Alt went down and no other key since
    wchar_t highSurrogate = 0;    // the first half of a typed character
    POINT lastMouse{-1, -1};
    // The framed window's style and place while it is full screen.
    bool fullscreen = false;
    LONG_PTR windowedStyle = 0;
    RECT windowedRect{};
};

WindowState* StateOf(HWND hwnd) { return reinterpret_cast<WindowState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }
WindowState& StateOf(Window& w) { return *StateOf(static_cast<HWND>(w.native)); }

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The styles the game asks for, as Windows takes them: a window with a
// maximise box can also be resized, as the SDL driver's can.
DWORD NativeStyle(uint32_t style) {
    DWORD native = style & ~WS_VISIBLE;
    if (native & WS_MAXIMIZEBOX) native |= WS_THICKFRAME;
    return native;
}

// The outer rectangle of a window whose inside is width by height at x, y.
RECT OuterRect(DWORD style, int32_t x, int32_t y, int32_t width, int32_t height) {
    RECT r{x, y, x + width, y + height};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    return RECT{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
}

PicturePlacement Placement(const WindowState& s) {
    const SIZE client = ClientSize(s.hwnd);
    return PlacePicture(client.cx, client.cy, s.pageWidth, s.pageHeight, PictureScaling());
}

// Draws the shown page into the window, with black bars around it.
void Paint(WindowState& s, HDC dc) {
    if (s.pageWidth == 0 || s.shown.empty()) return;
    const PicturePlacement place = Placement(s);
    const SIZE client = ClientSize(s.hwnd);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, place.x, place.y, place.x + place.width, place.y + place.height);
    const RECT all{0, 0, client.cx, client.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } format{};
    format.header.biSize = sizeof format.header;
    format.header.biWidth = s.pageWidth;
    format.header.biHeight = -s.pageHeight;  // top row first
    format.header.biPlanes = 1;
    format.header.biBitCount = 16;
    format.header.biCompression = BI_BITFIELDS;
    format.masks[0] = 0xF800;
    format.masks[1] = 0x07E0;
    format.masks[2] = 0x001F;
    SetStretchBltMode(dc, place.WholeScale() ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, place.x, place.y, place.width, place.height, 0, 0, s.pageWidth, s.pageHeight,
                  s.shown.data(), reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS, SRCCOPY);
    s.stale = false;
}

void PaintNow(WindowState& s) {
    const HDC dc = GetDC(s.hwnd);
    Paint(s, dc);
    ReleaseDC(s.hwnd, dc);
}

void PostSize(WindowState& s, WPARAM kind) {
    const SIZE client = ClientSize(s.hwnd);
    s.window->width = client.cx;
    s.window->height = client.cy;
    s.stale = true;
    PostToWindow(*s.window, WM_SIZE, kind == SIZE_MAXIMIZED ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MakeLParam(client.cx, client.cy));
}

// Full screen: a borderless window over the whole of the display it is on.
void SetFullScreen(WindowState& s, bool full) {
    if (full == s.fullscreen) return;
    if (full) {
        s.windowedStyle = GetWindowLongPtrW(s.hwnd, GWL_STYLE);
        GetWindowRect(s.hwnd, &s.windowedRect);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(s.hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& r = monitor.rcMonitor;
        SetWindowLongPtrW(s.hwnd, GWL_STYLE, (s.windowedStyle & ~(WS_CAPTION | WS_THICKFRAME)) | WS_POPUP);
        SetWindowPos(s.hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    } else {
        const RECT& r = s.windowedRect;
        SetWindowLongPtrW(s.hwnd, GWL_STYLE, s.windowedStyle);
        SetWindowPos(s.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOOWNERZORDER);
    }
    s.fullscreen = full;
    s.window->fullscreen = full;
    PostSize(s, SIZE_RESTORED);
}

// The keys the game knows, as the SDL driver passes them on.
bool KnownKey(WPARAM vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || (vk >= VK_F1 && vk <= VK_F12)) return true;
    switch (vk) {
        case VK_ESCAPE: case VK_SPACE: case VK_RETURN: case VK_TAB: case VK_LEFT: case VK_UP:
        case VK_RIGHT: case VK_DOWN: case VK_CONTROL: case VK_BACK: case VK_DELETE: case VK_HOME:
        case VK_END: return true;
        default: return false;
    }
}

// Mouse messages carry picture pixels, whatever the window's size and mode;
// a point on a bar lies outside the picture (as a signed 16-bit value).
intptr_t MousePosition(const WindowState& s, LPARAM lParam) {
    int32_t px = 0, py = 0;
    Placement(s).WindowToPicture(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)), &px, &py);
    return MakeLParam(std::clamp(px, -32768, 32767), std::clamp(py, -32768, 32767));
}

// Returns true when the key was the game's business and has been handled.
bool TranslateKey(WindowState& s, UINT message, WPARAM vk, LPARAM lParam) {
    Win32Video& video = Win32Display();
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool repeat = (lParam & (1 << 30)) != 0 && down;
    if (vk == VK_MENU) {
        // Alt pressed and released alone opens the keyboard menu.
        if (down && !repeat) s.altAlone = true;
        if (!down && s.altAlone) PostToWindow(*s.window, WM_SYSCOMMAND, SC_KEYMENU, 0);
        return true;
    }
    s.altAlone = false;
    if (vk == VK_F12 && !down) RequestScreenshot();
    const bool alt = (lParam & (1 << 29)) != 0;
    // Alt+Enter switches between the window and full screen; the game never sees it.
    if (vk == VK_RETURN && alt) {
        if (down && !repeat) SetFullScreen(s, !s.fullscreen);
        return true;
    }
    if (alt && vk == VK_F4) return false;  // Windows closes the window
    if (!KnownKey(vk)) return true;
    if (down) video.keysTapped[vk] = true;
    // As Windows has it, bit 30 says the key was already down: a repeat.
    const intptr_t keyData = !down ? static_cast<intptr_t>(0xC0000001u) : repeat ? 0x40000001 : 1;
    PostToWindow(*s.window, down ? WM_KEYDOWN : WM_KEYUP, vk, keyData);
    return true;
}

void TranslateCharacter(WindowState& s, wchar_t unit) {
    if (!Win32Display().textInput) return;
    char32_t c = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        s.highSurrogate = unit;
        return;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (s.highSurrogate == 0) return;
        c = 0x10000 + ((static_cast<char32_t>(s.highSurrogate) - 0xD800) << 10) + (unit - 0xDC00);
    }
    s.highSurrogate = 0;
    // Control characters are keys, not text (as SDL's text input has it).
    if (c < 0x20 || c == 0x7F) return;
    PostToWindow(*s.window, WM_UNICHAR, c, 0);
}

void TranslateMouse(WindowState& s, UINT message, LPARAM lParam) {
    if (RealMouseIgnored()) return;
    Win32Video& video = Win32Display();
    const POINT at{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    if (message == WM_MOUSEMOVE) {
        if (s.lastMouse.x >= 0) {
            video.motionX += at.x - s.lastMouse.x;
            video.motionY += at.y - s.lastMouse.y;
        }
        s.lastMouse = at;
    }
    const int32_t bit = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP   ? 1
                        : message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? 2
                                                                               : 0;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        video.mouseButtons |= bit;
        SetCapture(s.hwnd);
    } else if (bit != 0) {
        video.mouseButtons &= ~bit;
        if (video.mouseButtons == 0) ReleaseCapture();
    }
    PostToWindow(*s.window, message, 0, MousePosition(s, lParam));
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowState* s = StateOf(hwnd);
    if (s == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_CLOSE: PostToWindow(*s->window, WM_CLOSE, 0, 0); return 0;
        case WM_MOVE:
            s->window->x = static_cast<int16_t>(LOWORD(lParam));
            s->window->y = static_cast<int16_t>(HIWORD(lParam));
            PostToWindow(*s->window, WM_MOVE, 0, lParam);
            return 0;
        case WM_SIZE: PostSize(*s, wParam); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(hwnd, &paint);
            Paint(*s, dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_ACTIVATEAPP: PostToWindow(*s->window, WM_ACTIVATEAPP, wParam ? 1 : 0, 0); break;
        case WM_ACTIVATE: PostToWindow(*s->window, WM_ACTIVATE, LOWORD(wParam), 0); break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (TranslateKey(*s, message, wParam, lParam)) return 0;
            break;
        case WM_CHAR: TranslateCharacter(*s, static_cast<wchar_t>(wParam)); return 0;
        case WM_SYSCHAR: return 0;  // no beep for Alt and a letter
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;  // the game has heard of Alt already
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: TranslateMouse(*s, message, lParam); return 0;
        case MM_MCINOTIFY: PostToWindow(*s->window, MM_MCINOTIFY, wParam, lParam); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

Win32Video& Win32Display() {
    static Win32Video video;
    return video;
}

bool Win32Video::Open() {
    if (open_) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return FailWithLastError("no window system found");
    }
    // Sleeps and waits to the millisecond, for an even frame rate.
    timeBeginPeriod(1);
    open_ = true;
    return true;
}

void Win32Video::Close() {
    if (open_) timeEndPeriod(1);
    open_ = false;
}

void Win32Video::ScreenSize(int32_t* width, int32_t* height) {
    *width = GetSystemMetrics(SM_CXSCREEN);
    *height = GetSystemMetrics(SM_CYSCREEN);
}

std::vector<DisplayArea> Win32Video::DisplayAreas() {
    std::vector<DisplayArea> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (!GetMonitorInfoW(monitor, &info)) return TRUE;
            const RECT& r = info.rcMonitor;
            auto& found = *reinterpret_cast<std::vector<DisplayArea>*>(list);
            const DisplayArea area{r.left, r.top, r.right - r.left, r.bottom - r.top};
            // The primary display first.
            if (info.dwFlags & MONITORINFOF_PRIMARY) {
                found.insert(found.begin(), area);
            } else {
                found.push_back(area);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

int32_t Win32Video::DesktopBitsPerPixel() {
    const HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

bool Win32Video::CreateNative(Window& w) {
    const DWORD style = NativeStyle(w.style);
    const RECT outer = OuterRect(style, w.x, w.y, w.width, w.height);
    auto* state = new WindowState;
    state->window = &w;
    const HWND hwnd = CreateWindowExW(0, kClassName, Wide(w.title).c_str(), style, outer.left, outer.top,
                                      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        delete state;
        return FailWithLastError("the window could not be made");
    }
    state->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    w.native = hwnd;
    if (w.visible) ::ShowWindow(hwnd, SW_SHOW);
    return true;
}

void Win32Video::DestroyNative(Window& w) {
    if (w.native == nullptr) return;
    WindowState* state = &StateOf(w);
    SetWindowLongPtrW(state->hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(state->hwnd);
    delete state;
    w.native = nullptr;
}

void Win32Video::UpdateNative(Window& w) {
    const HWND hwnd = StateOf(w).hwnd;
    SetWindowTextW(hwnd, Wide(w.title).c_str());
    SetWindowPos(hwnd, w.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (w.visible) ::ShowWindow(hwnd, SW_SHOW);
}

void Win32Video::PlaceNative(Window& w) {
    WindowState& s = StateOf(w);
    if (s.fullscreen) return;
    const RECT outer = OuterRect(static_cast<DWORD>(GetWindowLongPtrW(s.hwnd, GWL_STYLE)), w.x, w.y, w.width, w.height);
    SetWindowPos(s.hwnd, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Video::Focus(Window& w) { SetForegroundWindow(StateOf(w).hwnd); }

bool Win32Video::OpenDisplay(Window& w, int32_t width, int32_t height, bool fullscreen) {
    WindowState& s = StateOf(w);
    s.pageWidth = width;
    s.pageHeight = height;
    s.shown.assign(static_cast<size_t>(width) * height, 0);
    s.stale = true;
    if (fullscreen) SetFullScreen(s, true);
    const HDC dc = GetDC(s.hwnd);
    const int refresh = GetDeviceCaps(dc, VREFRESH);
    ReleaseDC(s.hwnd, dc);
    framePeriod_ = std::chrono::microseconds(1000000 / (refresh > 1 ? refresh : kFallbackRefreshHz));
    return true;
}

void Win32Video::CloseDisplay(Window& w) {
    WindowState& s = StateOf(w);
    s.pageWidth = s.pageHeight = 0;
    s.shown.clear();
}

void Win32Video::PumpEvents(Window&) {
    const double now = static_cast<double>(GetTickCount64());
    const auto send = [](const Message& m) {
        SendMessageW(static_cast<HWND>(m.window), m.message, m.wParam, m.lParam);
    };
    if (!heldRelease_.PostDue(now, send)) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        const Message kept{message.hwnd, message.message, message.wParam, message.lParam};
        if (!heldRelease_.Admit(kept, ReleaseHold::ButtonPressed(message.message),
                                ReleaseHold::ButtonReleased(message.message), now)) {
            return;
        }
        ::TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Video::WaitForEvents(uint32_t ms) {
    MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Video::Present(Window& w, Surface& page) {
    heldRelease_.Presented();
    WindowState& s = StateOf(w);
    SDL_Surface* pixels = page.Sdl();
    if (s.pageWidth > 0 && pixels->w == s.pageWidth && pixels->h == s.pageHeight) {
        // Only a page that differs from what the window shows is drawn.
        const size_t rowBytes = static_cast<size_t>(s.pageWidth) * sizeof(uint16_t);
        bool changed = false;
        for (int y = 0; y < s.pageHeight; ++y) {
            const void* row = static_cast<const uint8_t*>(pixels->pixels) + static_cast<size_t>(y) * pixels->pitch;
            uint16_t* shown = s.shown.data() + static_cast<size_t>(y) * s.pageWidth;
            if (std::memcmp(shown, row, rowBytes) != 0) {
                std::memcpy(shown, row, rowBytes);
                changed = true;
            }
        }
        if (changed || s.stale) PaintNow(s);
    }
    // Presents are paced to the display's refresh, so the loop never spins a core.
    const auto now = std::chrono::steady_clock::now();
    if (now < nextFrame_) std::this_thread::sleep_until(nextFrame_);
    nextFrame_ = std::max(now, nextFrame_) + framePeriod_;
}

void Win32Video::ShowMessage(const char* caption, const char* text, bool stopIcon) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
                MB_OK | MB_SETFOREGROUND | (stopIcon ? MB_ICONERROR : MB_ICONINFORMATION));
}

void Win32Video::CursorPos(int32_t* x, int32_t* y) {
    POINT at{};
    ::GetCursorPos(&at);
    *x = at.x;
    *y = at.y;
}

bool Win32Video::KeyDown(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(keysTapped.size())) return false;
    const bool tapped = keysTapped[virtualKey].exchange(false);
    return tapped || (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

void Win32Video::MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) {
    *dx = motionX.exchange(0);
    *dy = motionY.exchange(0);
    *buttons = mouseButtons.load();
}

void Win32Video::SetTextInput(bool on) { textInput = on; }

std::string Win32Video::ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (length > 1) {
                text.resize(static_cast<size_t>(length));
                WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
                text.pop_back();  // the terminator
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace plat
