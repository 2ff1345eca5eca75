// The Windows build's backends: the win32 driver first, as players want it,
// then headless.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/sdl/real_clock.h"
#include "platform/video_driver.h"

namespace plat {

std::span<const BackendEntry> Backends() {
    // Made on first use: the platform's facilities may ask for it while
    // other files' statics are still being made.
    static const BackendEntry table[] = {
        HeadlessBackend(),
    };
    return table;
}

}  // namespace plat
