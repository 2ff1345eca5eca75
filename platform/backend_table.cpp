// The desktop build's backends: SDL first, as players want it, then headless.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_video.h"
#include "platform/headless/virtual_clock.h"
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
ClockDriver& HeadlessTime() { return HeadlessClock(); }
VideoDriver& HeadlessWindows() { return HeadlessDisplay(); }
AudioOutput& HeadlessSound() { return HeadlessAudio(); }

const BackendEntry kBackends[] = {
    {"sdl", Backend::Real, SdlClock, SdlDisplay, SdlSound},
    {"headless", Backend::Headless, HeadlessTime, HeadlessWindows, HeadlessSound},
};
}  // namespace

std::span<const BackendEntry> Backends() { return kBackends; }

}  // namespace plat
