#pragma once
// A button pressed and released between two presents (a finger's tap, a
// touchpad's tap, a quick click) would show a program that reads the buttons
// once a frame (the splash's wait, the launcher's buttons) neither the press
// nor the release. The display drivers ask this whether such a release must
// wait: they keep it, and whatever input follows it, back until the next
// present, or until a tenth of a second has passed should no present come.
#include <cstdint>
#include <optional>

namespace plat {

class ReleaseHold {
public:
    static constexpr double kLongestMs = 100;

    // Window messages: the button a press or release message is of (1 left,
    // 2 right), or 0 for any other message.
    static int32_t ButtonPressed(uint32_t message);
    static int32_t ButtonReleased(uint32_t message);

    void Pressed(int32_t button, double nowMs);  // nothing for button 0
    // Whether a release of the button, arriving now, must wait.
    bool MustWait(int32_t button, double nowMs) const;
    void Presented() { pressedSincePresent_ = 0; }

private:
    int32_t pressedSincePresent_ = 0;
    double lastPressMs_ = 0;
};

// A driver's input in its own form (Event), with the release it keeps back.
template <class Event>
class HeldRelease {
public:
    // Hands the kept release to post once it is due; false while it still
    // waits, when the driver hands on nothing more for now.
    template <class Post>
    bool PostDue(double nowMs, Post post) {
        if (!held_) return true;
        if (rule_.MustWait(heldButton_, nowMs)) return false;
        post(*held_);
        held_.reset();
        return true;
    }
    // Input arriving now, with the button it presses or releases (0 for
    // none): false for a release that must wait, which is then kept.
    bool Admit(const Event& event, int32_t pressed, int32_t released, double nowMs) {
        if (rule_.MustWait(released, nowMs)) {
            held_ = event;
            heldButton_ = released;
            return false;
        }
        rule_.Pressed(pressed, nowMs);
        return true;
    }
    bool Holding() const { return held_.has_value(); }
    void Presented() { rule_.Presented(); }

private:
    ReleaseHold rule_;
    std::optional<Event> held_;
    int32_t heldButton_ = 0;
};

}  // namespace plat
