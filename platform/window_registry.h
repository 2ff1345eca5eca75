#pragma once
// The windows that exist, so that a handle can be checked before it is used:
// a message posted from another thread or a second DestroyWindow must not
// touch a window that is gone.
#include <functional>
#include <memory>

#include "platform/video_driver.h"

namespace plat {

class WindowRegistry {
public:
    static WindowHandle Add(std::unique_ptr<Window> window);
    // Takes the window out; null when the handle names no window.
    static std::unique_ptr<Window> Remove(WindowHandle handle);
    // Runs action on the window while it cannot go away; false when it does not exist.
    static bool WithWindow(WindowHandle handle, const std::function<void(Window&)>& action);
    static void ForEachOwnedBy(const MessageQueue* queue, const std::function<void(Window&)>& action);
};

}  // namespace plat
