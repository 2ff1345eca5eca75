#pragma once
// Window messages: a queue per thread with post, peek-and-remove, translate and
// dispatch to the window's procedure. The backend turns its input events into
// these messages when the window's thread peeks; tests of the headless backend
// post them directly.
#include <cstdint>

#include "platform/message_codes.h"
#include "platform/window_handle.h"

namespace plat {

// Takes the oldest message of the calling thread's queue into out; false when
// the queue is empty. On the window's thread the backend's pending input is
// turned into messages first.
bool PeekMessage(Message* out);
// Keys already arrive as virtual-key codes and typed characters as
// WM_UNICHAR, so translation adds nothing; kept so the loop reads as usual.
void TranslateMessage(const Message& message);
// Hands the message to its window's procedure; 0 when it has no window.
intptr_t DispatchMessage(const Message& message);
// Calls the window's procedure at once.
intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues the message for the thread that owns the window (the calling thread
// for a null window). Safe from any thread.
bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void PostQuitMessage(int exitCode);
// What a window procedure returns for messages it leaves to the system.
intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Drops every queued message of the calling thread (tests start clean).
void ClearMessageQueue();

}  // namespace plat
