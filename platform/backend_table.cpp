// The desktop build's backends: SDL first, as players want it, then headless.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/sdl/real_clock.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_video.h"
#include "platform/video_driver.h"

namespace plat {

namespace {
ClockDriver& SdlClock() {
    static RealClock clock;
    return clock;
}

VideoDriver& SdlDisplay() {
    static SdlVideo video;
    return video;
}

AudioOutput& SdlSound() { return SdlAudio(); }
}  // namespace

std::span<const BackendEntry> Backends() {
    // Made on first use: the platform's facilities may ask for it while
    // other files' statics are still being made.
    static const BackendEntry table[] = {
        {"sdl", Backend::Real, SdlClock, SdlDisplay, SdlSound},
        HeadlessBackend(),
    };
    return table;
}

}  // namespace plat
