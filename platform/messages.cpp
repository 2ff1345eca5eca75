#include "platform/messages.h"

#include "platform/video_driver.h"
#include "platform/window.h"
#include "platform/window_registry.h"

namespace plat {

namespace {
MessageQueue& ThisThreadQueue() {
    thread_local MessageQueue queue;
    return queue;
}

void Push(MessageQueue& queue, const Message& message) {
    std::lock_guard lock(queue.mutex);
    queue.messages.push_back(message);
}
}  // namespace

void PostToWindow(Window& window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    Push(*window.queue, Message{&window, message, wParam, lParam});
}

bool PeekMessage(Message* out) {
    MessageQueue& queue = ThisThreadQueue();
    WindowRegistry::ForEachOwnedBy(&queue, [](Window& w) { Video().PumpEvents(w); });
    std::lock_guard lock(queue.mutex);
    if (queue.messages.empty()) return false;
    *out = queue.messages.front();
    queue.messages.pop_front();
    return true;
}

void TranslateMessage(const Message&) {}

intptr_t DispatchMessage(const Message& message) {
    return SendMessage(message.window, message.message, message.wParam, message.lParam);
}

intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    WindowProc procedure = GetWindowProc(window);
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (window == nullptr) {
        Push(ThisThreadQueue(), Message{nullptr, message, wParam, lParam});
        return true;
    }
    return WindowRegistry::WithWindow(window, [&](Window& w) {
        PostToWindow(w, message, wParam, lParam);
    });
}

void PostQuitMessage(int exitCode) {
    Push(ThisThreadQueue(), Message{nullptr, WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
}

intptr_t DefWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

void ClearMessageQueue() {
    MessageQueue& queue = ThisThreadQueue();
    std::lock_guard lock(queue.mutex);
    queue.messages.clear();
}

MessageQueue* CurrentThreadQueue() { return &ThisThreadQueue(); }

}  // namespace plat
