#include "platform/release_hold.h"

#include "platform/message_codes.h"

namespace plat {

int32_t ReleaseHold::ButtonPressed(uint32_t message) {
    return message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 0;
}

int32_t ReleaseHold::ButtonReleased(uint32_t message) {
    return message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 0;
}

void ReleaseHold::Pressed(int32_t button, double nowMs) {
    if (button == 0) return;
    pressedSincePresent_ |= button;
    lastPressMs_ = nowMs;
}

bool ReleaseHold::MustWait(int32_t button, double nowMs) const {
    return (pressedSincePresent_ & button) != 0 && nowMs - lastPressMs_ < kLongestMs;
}

}  // namespace plat
