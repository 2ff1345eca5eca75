#pragma once
// The Windows window behind the platform's window record. Kept free of
// <windows.h>, whose message macros would clash with platform/messages.h.
#include "platform/window_handle.h"

namespace plat {

// The window's own HWND; null for a null handle or when the win32 driver is
// not the one in use.
void* NativeWindow(WindowHandle window);

}  // namespace plat
