#include "platform/win32/win32_window.h"

#include "platform/backend.h"
#include "platform/video_driver.h"

namespace plat {

void* NativeWindow(WindowHandle window) {
    return window != nullptr && CurrentBackend() == Backend::Real ? window->native : nullptr;
}

}  // namespace plat
