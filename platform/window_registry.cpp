#include "platform/window_registry.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace plat {

namespace {
// Recursive: a driver pumping events for a window may look windows up again.
std::recursive_mutex g_mutex;
std::vector<std::unique_ptr<Window>> g_windows;
}  // namespace

WindowHandle WindowRegistry::Add(std::unique_ptr<Window> window) {
    std::lock_guard lock(g_mutex);
    g_windows.push_back(std::move(window));
    return g_windows.back().get();
}

std::unique_ptr<Window> WindowRegistry::Remove(WindowHandle handle) {
    std::lock_guard lock(g_mutex);
    auto it = std::find_if(g_windows.begin(), g_windows.end(),
                           [handle](const auto& w) { return w.get() == handle; });
    if (it == g_windows.end()) return nullptr;
    std::unique_ptr<Window> window = std::move(*it);
    g_windows.erase(it);
    return window;
}

bool WindowRegistry::WithWindow(WindowHandle handle, const std::function<void(Window&)>& action) {
    std::lock_guard lock(g_mutex);
    for (auto& w : g_windows) {
        if (w.get() == handle) {
            action(*w);
            return true;
        }
    }
    return false;
}

void WindowRegistry::ForEachOwnedBy(const MessageQueue* queue,
                                    const std::function<void(Window&)>& action) {
    std::lock_guard lock(g_mutex);
    for (auto& w : g_windows) {
        if (w->queue == queue) action(*w);
    }
}

}  // namespace plat
