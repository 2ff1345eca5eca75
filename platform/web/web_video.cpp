#include "platform/web/web_video.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/clock.h"
#include "platform/headless/virtual_clock.h"
#include "platform/screenshot.h"
#include "platform/surface.h"
#include "platform/utf8.h"
#include "platform/web/web_tasks.h"
#include "platform/window.h"

namespace plat {

WebVideo& WebDisplay() {
    static WebVideo video;
    return video;
}

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr double kDisplayFrameMs = 1000.0 / 60;
constexpr uint32_t kSteppedFrameMs = 10;  // the headless display's frame period
constexpr double kLongPressMs = 500;
// Presents in a row that showed nothing new before one may be held: the
// canvas shows the page presented before, so after one such present both
// pages (the one shown and the one drawn next) hold what the canvas shows,
// and a frame that changes nothing draws the same again.
constexpr int kSettledPresents = 1;
// The longest a present is held: the music's fill runs between the
// program's waits, and its ring holds two seconds.
constexpr double kLongestRestMs = 1000;

// KeyboardEvent.code names the key's place, whatever the layout prints on it.
int VirtualKeyOf(const char* code) {
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0') return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0') return code[5];
    if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
        const int n = std::atoi(code + 1);
        if (n >= 1 && n <= 12) return VK_F1 + n - 1;
    }
    if (std::strcmp(code, "Escape") == 0) return VK_ESCAPE;
    if (std::strcmp(code, "Space") == 0) return VK_SPACE;
    if (std::strcmp(code, "Enter") == 0 || std::strcmp(code, "NumpadEnter") == 0) return VK_RETURN;
    if (std::strcmp(code, "AltLeft") == 0 || std::strcmp(code, "AltRight") == 0) return VK_MENU;
    if (std::strcmp(code, "ControlLeft") == 0 || std::strcmp(code, "ControlRight") == 0) return VK_CONTROL;
    static constexpr struct {
        const char* code;
        int vk;
    } kEditing[] = {{"Tab", VK_TAB},         {"Backspace", VK_BACK}, {"Delete", VK_DELETE},
                    {"Home", VK_HOME},       {"End", VK_END},        {"ArrowLeft", VK_LEFT},
                    {"ArrowRight", VK_RIGHT}, {"ArrowUp", VK_UP},    {"ArrowDown", VK_DOWN}};
    for (const auto& key : kEditing) {
        if (std::strcmp(code, key.code) == 0) return key.vk;
    }
    return 0;
}

// The character a key types: KeyboardEvent.key when it is one character (the
// layout's, dead keys already composed), none for named keys ("Enter",
// "Dead") and for shortcuts with Control or the command key. AltGr comes as
// Control with Alt and does type.
char32_t TypedCharacter(const EmscriptenKeyboardEvent& e) {
    if (e.metaKey || (e.ctrlKey && !e.altKey)) return 0;
    const std::string_view key(e.key, strnlen(e.key, sizeof e.key));
    if (key.empty()) return 0;
    std::size_t length = 0;
    const char32_t c = utf8::Decode(key, 0, &length);
    if (length != key.size() || (c == utf8::kReplacement && length == 1)) return 0;
    return utf8::IsControl(c) ? 0 : c;
}

// Control+V and the command key's V: the browser pastes (the page keeps what
// its paste event carries) only when the key is left to it.
bool PasteKey(const EmscriptenKeyboardEvent& e, int vk) { return vk == 'V' && (e.ctrlKey || e.metaKey); }

// Browsers let sound start only from a gesture: every click, tap and key may
// be the first.
void ResumeSound() {
    EM_ASM({ if (Module.reefResumeSound) Module.reefResumeSound(); });
}

// A phone's own keyboard types only into a focused text field: while a text
// entry has the focus, the page's hidden field (#typing, pre.js) takes the
// browser's focus for a player who uses touch, and pre.js hands on what is
// typed into it (reef_web_typed, reef_web_erased). A phone shows its keyboard
// only for a focus given soon after a touch, and some only within the touch's
// own handler: both give it, and each touch gives it again (bringing back a
// keyboard the player put away, and ending a word still being composed).
void FocusTypingField(bool on) {
    EM_ASM(
        {
            const field = document.getElementById('typing');
            if (!field) return;
            if ($0) Module.reefFocusTyping(field);
            if (!$0 && document.activeElement === field) field.blur();
        },
        on ? 1 : 0);
}

EM_BOOL OnMouseButton(int type, const EmscriptenMouseEvent* e, void*) {
    WebVideo& v = WebDisplay();
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) {
        ResumeSound();
        v.touchUsed = false;
    }
    if (v.Scripted() || (e->button != 0 && e->button != 2)) return EM_FALSE;
    const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    const bool left = e->button == 0;
    v.NoteButtons(left ? 1 : 2, down);
    const uint32_t message = left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    v.Queue(message, 0, v.PicturePoint(e->clientX, e->clientY));
    return EM_TRUE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* e, void*) {
    WebVideo& v = WebDisplay();
    if (v.Scripted()) return EM_FALSE;
    v.NoteMotion(e->clientX, e->clientY);
    v.Queue(WM_MOUSEMOVE, 0, v.PicturePoint(e->clientX, e->clientY));
    return EM_FALSE;
}

// One finger drives the pointer: the first to touch, until it lifts.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void*) {
    WebVideo& v = WebDisplay();
    v.touchUsed = true;
    if (type == EMSCRIPTEN_EVENT_TOUCHEND) {
        ResumeSound();
        if (v.textInput) FocusTypingField(true);
    }
    if (v.Scripted() || e->numTouches < 1) return EM_TRUE;
    const EmscriptenTouchPoint& t = e->touches[0];
    switch (type) {
        case EMSCRIPTEN_EVENT_TOUCHSTART: v.TouchStarted(t.clientX, t.clientY); break;
        case EMSCRIPTEN_EVENT_TOUCHMOVE:
            v.NoteMotion(t.clientX, t.clientY);
            v.Queue(WM_MOUSEMOVE, 0, v.PicturePoint(t.clientX, t.clientY));
            break;
        default: v.TouchEnded(); break;
    }
    return EM_TRUE;  // no mouse events made up from the touch
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    WebVideo& v = WebDisplay();
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (down) ResumeSound();
    // A phone's keyboard may name no key's place: then the key's name serves
    // (the two are the same for Enter, Backspace, the arrows and the like).
    const int vk = VirtualKeyOf(e->code[0] != '\0' ? e->code : e->key);
    if (vk == VK_MENU) {
        // Alt pressed and released alone opens the keyboard menu on Windows.
        if (down && !e->repeat) v.altAlone = true;
        if (!down && v.altAlone) v.Queue(WM_SYSCOMMAND, SC_KEYMENU, 0);
        return EM_TRUE;
    }
    v.altAlone = false;
    // Alt+Enter fills the screen with the page, or leaves full screen.
    if (vk == VK_RETURN && e->altKey) {
        if (down && !e->repeat) {
            EM_ASM({
                if (document.fullscreenElement) document.exitFullscreen();
                else document.documentElement.requestFullscreen();
            });
        }
        return EM_TRUE;
    }
    if (vk != 0) {
        v.SetKey(vk, down);
        const intptr_t keyData = !down ? static_cast<intptr_t>(0xC0000001u) : e->repeat ? 0x40000001 : 1;
        v.Queue(down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), keyData);
    }
    // As on the desktop, the character follows its key down; into the hidden
    // field, a key an input method composes with (229) brings its text there.
    const bool composing = v.touchUsed && e->keyCode == 229;
    const char32_t typed = down && v.textInput && !composing ? TypedCharacter(*e) : 0;
    if (typed != 0) v.Queue(WM_UNICHAR, typed, 0);
    if (vk == 0) return typed != 0 ? EM_TRUE : EM_FALSE;
    // Reload, full screen, the developer tools and pasting stay the browser's.
    const bool browsers = vk == VK_F1 + 4 || vk == VK_F1 + 10 || vk == VK_F1 + 11 || PasteKey(*e, vk);
    return browsers ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
    WebDisplay().Layout();
    return EM_FALSE;
}

// A hidden page pauses the game as a window that loses focus does.
EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    WebVideo& v = WebDisplay();
    if (v.Scripted()) return EM_FALSE;
    v.hidden = e->hidden != 0;
    if (e->hidden) {
        v.Queue(WM_ACTIVATE, WA_INACTIVE, 0);
        v.Queue(WM_ACTIVATEAPP, 0, 0);
    } else {
        v.Queue(WM_ACTIVATEAPP, 1, 0);
        v.Queue(WM_ACTIVATE, WA_ACTIVE, 0);
    }
    return EM_FALSE;
}

// Whether two rows of pixels are the same, four pixels at a time:
// Emscripten's memcmp goes a byte at a time, and every present compares the
// whole page with the canvas.
bool SameRow(const uint16_t* a, const uint16_t* b, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        uint64_t p, q;
        std::memcpy(&p, a + x, 8);
        std::memcpy(&q, b + x, 8);
        if (p != q) return false;
    }
    for (; x < width; ++x) {
        if (a[x] != b[x]) return false;
    }
    return true;
}

// Widens [*left, *right] to the pixels where two differing rows differ.
void WidenToDifference(const uint16_t* a, const uint16_t* b, int width, int* left, int* right) {
    int x = 0;
    while (x < *left && a[x] == b[x]) ++x;
    *left = std::min(*left, x);
    x = width - 1;
    while (x > *right && a[x] == b[x]) --x;
    *right = std::max(*right, x);
}
}  // namespace

bool WebVideo::Scripted() const { return RealMouseIgnored(); }

bool WebVideo::Open() {
    if (open_) return true;
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnMouseMove);
    emscripten_set_touchstart_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchmove_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchend_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchcancel_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnResize);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
    open_ = true;
    return true;
}

void WebVideo::ScreenSize(int32_t* width, int32_t* height) {
    *width = EM_ASM_INT({ return screen.width; });
    *height = EM_ASM_INT({ return screen.height; });
}

bool WebVideo::CreateNative(Window& window) {
    UpdateNative(window);
    return true;
}

void WebVideo::DestroyNative(Window& window) {
    shown_.erase(std::remove(shown_.begin(), shown_.end(), &window), shown_.end());
}

void WebVideo::UpdateNative(Window& window) {
    if (!window.title.empty()) {
        MAIN_THREAD_EM_ASM({ document.title = UTF8ToString($0); }, window.title.c_str());
    }
    // The page is the window, and it has the focus when it is shown.
    if (!window.visible || std::find(shown_.begin(), shown_.end(), &window) != shown_.end()) return;
    shown_.push_back(&window);
    PostToWindow(window, WM_ACTIVATEAPP, 1, 0);
    PostToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
}

bool WebVideo::OpenDisplay(Window& window, int32_t width, int32_t height, bool) {
    YieldIfHeldLong();  // the program's start, before the display's first large buffers
    pageWidth_ = width;
    pageHeight_ = height;
    onCanvas_.reset(new uint16_t[static_cast<size_t>(width) * height]);
    rgba_.reset(new uint8_t[static_cast<size_t>(width) * height * 4]);
    canvasFilled_ = false;
    window.fullscreen = false;
    EM_ASM(
        {
            const canvas = document.querySelector('#canvas');
            canvas.width = $0;
            canvas.height = $1;
            // Desynchronized: a browser that can shows each drawing as it is
            // made, without a frame of the page's compositor for it (the idle
            // board draws twice a second for its blinking button). Others
            // ignore it.
            Module.reefContext = canvas.getContext('2d', {alpha: false, desynchronized: true});
            // The browser makes the canvas's buffers on its first drawing,
            // several milliseconds on a slow phone: that happens now, ahead of
            // the first picture's, with a turn for the browser in between.
            Module.reefContext.fillRect(0, 0, 1, 1);
        },
        width, height);
    Layout();
    YieldIfHeldLong();
    return true;
}

void WebVideo::Layout() {
    if (pageWidth_ == 0) return;
    pixelRatio_ = EM_ASM_DOUBLE({ return window.devicePixelRatio || 1; });
    const auto width = static_cast<int32_t>(std::lround(EM_ASM_DOUBLE({ return window.innerWidth; }) * pixelRatio_));
    const auto height = static_cast<int32_t>(std::lround(EM_ASM_DOUBLE({ return window.innerHeight; }) * pixelRatio_));
    // Whole scales where the picture fits; a smaller window shrinks it smoothly.
    const bool fits = width >= pageWidth_ && height >= pageHeight_;
    place_ = PlacePicture(width, height, pageWidth_, pageHeight_, fits ? Scaling::Sharp : Scaling::Smooth);
    const double r = pixelRatio_;
    EM_ASM(
        {
            const style = document.querySelector('#canvas').style;
            style.left = $0 + 'px';
            style.top = $1 + 'px';
            style.width = $2 + 'px';
            style.height = $3 + 'px';
            style.imageRendering = $4 ? 'pixelated' : 'auto';
            style.visibility = 'visible';
        },
        place_.x / r, place_.y / r, place_.width / r, place_.height / r, place_.WholeScale() ? 1 : 0);
}

intptr_t WebVideo::PicturePoint(double clientX, double clientY) {
    int32_t px = 0, py = 0;
    place_.WindowToPicture(static_cast<int32_t>(std::lround(clientX * pixelRatio_)),
                           static_cast<int32_t>(std::lround(clientY * pixelRatio_)), &px, &py);
    return MakeLParam(std::clamp(px, -32768, 32767), std::clamp(py, -32768, 32767));
}

void WebVideo::NoteMotion(double clientX, double clientY) {
    if (lastX_ >= 0) {
        motionX_ += static_cast<int32_t>(std::lround((clientX - lastX_) * pixelRatio_));
        motionY_ += static_cast<int32_t>(std::lround((clientY - lastY_) * pixelRatio_));
    }
    lastX_ = clientX;
    lastY_ = clientY;
}

void WebVideo::NoteButtons(int32_t bits, bool down) {
    if (down) {
        mouseButtons_ |= bits;
    } else {
        mouseButtons_ &= ~bits;
    }
}

void WebVideo::SetKey(int vk, bool down) {
    if (vk <= 0 || vk >= 256) return;
    keys_[vk] = down;
    if (down) keysTappedSincePoll_[vk] = true;
}

void WebVideo::TouchStarted(double clientX, double clientY) {
    touching_ = true;
    longPressed_ = false;
    touchX_ = clientX;
    touchY_ = clientY;
    touchStart_ = emscripten_get_now();
    NoteMotion(clientX, clientY);
    Queue(WM_MOUSEMOVE, 0, PicturePoint(clientX, clientY));
}

void WebVideo::TouchEnded() {
    if (!touching_) return;
    touching_ = false;
    if (longPressed_) return;  // already a right click
    const intptr_t at = PicturePoint(touchX_, touchY_);
    Queue(WM_LBUTTONDOWN, 0, at);
    Queue(WM_LBUTTONUP, 0, at);
}

void WebVideo::CheckLongPress() {
    if (!touching_ || longPressed_ || emscripten_get_now() - touchStart_ < kLongPressMs) return;
    longPressed_ = true;
    const intptr_t at = PicturePoint(touchX_, touchY_);
    Queue(WM_RBUTTONDOWN, 0, at);
    Queue(WM_RBUTTONUP, 0, at);
}

void WebVideo::PumpEvents(Window& window) {
    CheckLongPress();
    // A release that must wait for the next present waits with what follows it.
    const double now = emscripten_get_now();
    const auto post = [&](const Input& in) { PostToWindow(window, in.message, in.wParam, in.lParam); };
    if (!heldRelease_.PostDue(now, post)) return;
    while (!pending_.empty()) {
        const Input in = pending_.front();
        pending_.pop_front();
        if (!heldRelease_.Admit(in, ReleaseHold::ButtonPressed(in.message), ReleaseHold::ButtonReleased(in.message),
                                now)) {
            return;
        }
        if (in.message == WM_KEYUP && in.wParam == static_cast<uintptr_t>(VK_F1 + 11)) RequestScreenshot();
        post(in);
    }
}

void WebVideo::WaitForEvents(uint32_t ms) { Clock().Sleep(ms); }

void WebVideo::Queue(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    pending_.push_back({message, wParam, lParam});
    WakeForInput();
}

void WebVideo::NothingNewFor(uint32_t ms) { quietUntil_ = emscripten_get_now() + ms; }

void WebVideo::Present(Window&, Surface& page) {
    heldRelease_.Presented();
    unchangedPresents_ = ShowChangedPixels(page) ? 0 : unchangedPresents_ + 1;
    EM_ASM({ Module.reefPresents = (Module.reefPresents || 0) + 1; });
    if (stepped_) HeadlessClock().Advance(kSteppedFrameMs);
    // The wait for the next frame is the browser's time: it draws the canvas,
    // runs the input callbacks and plays the sound meanwhile.
    const double period = stepped_ ? kSteppedFrameMs : kDisplayFrameMs;
    const double now = emscripten_get_now();
    const double quietUntil = std::min(std::exchange(quietUntil_, 0.0), now + kLongestRestMs);
    // A resting finger becomes a right click on the clock: no holding then.
    // A held-back release is due at the next frame: no holding then either.
    held_ = !stepped_ && !touching_ && !heldRelease_.Holding() && unchangedPresents_ >= kSettledPresents &&
            quietUntil > now + period;
    if (held_) {
        YieldUntilInput(static_cast<uint32_t>(std::ceil(quietUntil - now)));
        nextFrame_ = emscripten_get_now() + period;
        return;
    }
    const double wait = std::max(0.0, nextFrame_ - now);
    nextFrame_ = std::max(now, nextFrame_) + period;
    YieldToBrowser(static_cast<uint32_t>(std::ceil(wait)));
}

bool WebVideo::ShowChangedPixels(Surface& page) {
    if (page.Width() != pageWidth_ || page.Height() != pageHeight_) return false;
    const SurfaceDesc desc = page.GetSurfaceDesc();
    auto pageRow = [&](int y) {
        return reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(desc.pixels) +
                                                 static_cast<size_t>(y) * desc.pitch);
    };
    auto shownRow = [&](int y) { return onCanvas_.get() + static_cast<size_t>(y) * pageWidth_; };
    // The rectangle of pixels that differ from the canvas: all of the first page.
    int top = 0, bottom = pageHeight_ - 1, left = 0, right = pageWidth_ - 1;
    if (canvasFilled_) {
        while (top <= bottom && SameRow(pageRow(top), shownRow(top), pageWidth_)) ++top;
        while (bottom >= top && SameRow(pageRow(bottom), shownRow(bottom), pageWidth_)) --bottom;
        left = pageWidth_;
        right = -1;
        for (int y = top; y <= bottom; ++y) WidenToDifference(pageRow(y), shownRow(y), pageWidth_, &left, &right);
    }
    canvasFilled_ = true;
    if (top > bottom) return false;  // nothing new: the canvas keeps its picture
    const int width = right - left + 1;
    uint8_t* out = rgba_.get();
    for (int y = top; y <= bottom; ++y) {
        // The canvas is drawn only at the end, so the browser's turns meanwhile
        // show no half-drawn picture.
        YieldIfHeldLong();
        const uint16_t* row = pageRow(y) + left;
        std::memcpy(shownRow(y) + left, row, static_cast<size_t>(width) * sizeof(uint16_t));
        for (int x = 0; x < width; ++x, out += 4) {
            const uint32_t p = row[x];
            const uint32_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
            out[0] = static_cast<uint8_t>((r << 3) | (r >> 2));
            out[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
            out[2] = static_cast<uint8_t>((b << 3) | (b >> 2));
            out[3] = 255;
        }
    }
    EM_ASM(
        {
            // The heap's own bytes, not a copy: the canvas copies them, and the
            // heap never grows, so the view stays valid while it does.
            const pixels = new Uint8ClampedArray(HEAPU8.buffer, $0, $1 * $2 * 4);
            Module.reefContext.putImageData(new ImageData(pixels, $1, $2), $3, $4);
            Module.reefDraws = (Module.reefDraws || 0) + 1;
            if (!Module.reefFirstFrameMs) Module.reefFirstFrameMs = performance.now();
        },
        rgba_.get(), width, bottom - top + 1, left, top);
    return true;
}

void WebVideo::SetTextInput(bool on) {
    textInput = on;
    if (touchUsed || !on) FocusTypingField(on);
}

void WebVideo::Type(char32_t codePoint) {
    if (textInput && !utf8::IsControl(codePoint)) Queue(WM_UNICHAR, codePoint, 0);
}

void WebVideo::Erase() {
    if (!textInput) return;
    Queue(WM_KEYDOWN, VK_BACK, 1);
    Queue(WM_KEYUP, VK_BACK, static_cast<intptr_t>(0xC0000001u));
}

std::string WebVideo::ClipboardText() {
    // What the browser's paste event carried (pre.js keeps it): it comes
    // with the Control+V whose key-down is handled now. Taken once, so that a
    // key whose paste the browser did not make pastes nothing.
    const int size = EM_ASM_INT({ return lengthBytesUTF8(Module.reefPasted || "") + 1; });
    std::string text(static_cast<std::size_t>(size), '\0');
    EM_ASM(
        {
            stringToUTF8(Module.reefPasted || "", $0, $1);
            Module.reefPasted = "";
        },
        text.data(), size);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void WebVideo::ShowMessage(const char* caption, const char* text, bool) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    MAIN_THREAD_EM_ASM(
        {
            const box = document.querySelector('#message');
            if (box) {
                box.textContent = UTF8ToString($0) + ': ' + UTF8ToString($1);
                box.hidden = false;
            }
        },
        caption, text);
}

void WebVideo::CursorPos(int32_t* x, int32_t* y) {
    *x = static_cast<int32_t>(lastX_ * pixelRatio_);
    *y = static_cast<int32_t>(lastY_ * pixelRatio_);
}

bool WebVideo::KeyDown(int virtualKey) {
    if (virtualKey <= 0 || virtualKey >= 256) return false;
    return std::exchange(keysTappedSincePoll_[virtualKey], false) || keys_[virtualKey];
}

void WebVideo::MouseState(int32_t* dx, int32_t* dy, int32_t* buttons) {
    *dx = motionX_.exchange(0);
    *dy = motionY_.exchange(0);
    *buttons = mouseButtons_.load();
}

}  // namespace plat

// From the hidden field's input events (pre.js): a character typed, and a
// character taken back.
extern "C" EMSCRIPTEN_KEEPALIVE void reef_web_typed(uint32_t codePoint) {
    plat::WebDisplay().Type(static_cast<char32_t>(codePoint));
}

extern "C" EMSCRIPTEN_KEEPALIVE void reef_web_erased() { plat::WebDisplay().Erase(); }
