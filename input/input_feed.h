#pragma once
// Delivers input events to a window as the window messages that real input
// makes, each when the frame clock reaches its time. A key is held down (for
// the key state as well as the messages) until the next frame, so that a
// loop that polls keys sees it once.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "input/input_event.h"
#include "platform/window_handle.h"

class InputFeed {
public:
    void Load(std::vector<InputEvent> events);
    // Every loaded event has been delivered.
    bool Finished() const { return next_ >= events_.size(); }
    // Once per frame: lets go of the keys pressed in an earlier frame, then
    // delivers the loaded events whose time has come, in file order.
    void Run(uint32_t now, plat::WindowHandle window);
    // Delivers one event at once.
    void Deliver(const InputEvent& event, plat::WindowHandle window);

private:
    std::vector<InputEvent> events_;
    size_t next_ = 0;
    std::vector<int> heldKeys_;
};
