#include "input/input_feed.h"

#include <utility>

#include "platform/messages.h"
#include "platform/window.h"

namespace {
constexpr intptr_t kKeyDownData = 1;
constexpr intptr_t kKeyUpData = static_cast<intptr_t>(0xC0000001u);

uint32_t ButtonMessage(const InputEvent& e) {
    if (e.kind == InputEvent::Kind::Press) return e.right ? plat::WM_RBUTTONDOWN : plat::WM_LBUTTONDOWN;
    return e.right ? plat::WM_RBUTTONUP : plat::WM_LBUTTONUP;
}
}  // namespace

void InputFeed::Load(std::vector<InputEvent> events) {
    events_ = std::move(events);
    next_ = 0;
}

void InputFeed::Run(uint32_t now, plat::WindowHandle window) {
    for (int key : heldKeys_) {
        plat::SetScriptedKey(key, false);
        plat::PostMessage(window, plat::WM_KEYUP, static_cast<uintptr_t>(key), kKeyUpData);
    }
    heldKeys_.clear();
    // Times compare as 32-bit differences, as every clock time does.
    while (next_ < events_.size() && static_cast<int32_t>(now - events_[next_].time) >= 0) {
        Deliver(events_[next_++], window);
    }
}

void InputFeed::Deliver(const InputEvent& e, plat::WindowHandle window) {
    const intptr_t position = plat::MakeLParam(e.x, e.y);
    switch (e.kind) {
        case InputEvent::Kind::Move:
            plat::PostMessage(window, plat::WM_MOUSEMOVE, 0, position);
            break;
        case InputEvent::Kind::Press:
        case InputEvent::Kind::Release:
            plat::PostMessage(window, ButtonMessage(e), 0, position);
            break;
        case InputEvent::Kind::Key:
            plat::SetScriptedKey(e.key, true);
            plat::PostMessage(window, plat::WM_KEYDOWN, static_cast<uintptr_t>(e.key), kKeyDownData);
            heldKeys_.push_back(e.key);
            break;
        case InputEvent::Kind::Char:
            plat::PostMessage(window, plat::WM_UNICHAR, static_cast<uintptr_t>(e.key), 0);
            break;
        case InputEvent::Kind::Close:
            plat::PostMessage(window, plat::WM_CLOSE, 0, 0);
            break;
    }
}
