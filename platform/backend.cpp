#include "platform/backend.h"

#include <cstdlib>
#include <cstring>

#include "platform/audio_output.h"
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
Backend g_backend = Backend::Headless;
bool g_chosen = false;

RealClock& SdlClock() {
    static RealClock clock;
    return clock;
}

SdlVideo& SdlDisplay() {
    static SdlVideo video;
    return video;
}
}  // namespace

void UseBackend(Backend backend) {
    g_backend = backend;
    g_chosen = true;
    if (backend == Backend::Sdl) {
        SetClockDriver(&SdlClock());
        SetAudioOutput(&SdlAudio());
        SetVideoDriver(&SdlDisplay());
    } else {
        SetClockDriver(&HeadlessClock());
        SetAudioOutput(&HeadlessAudio());
        SetVideoDriver(&HeadlessDisplay());
    }
}

Backend CurrentBackend() {
    if (!g_chosen) UseBackend(BackendFromEnvironment());
    return g_backend;
}

Backend BackendFromEnvironment() {
    const char* value = std::getenv("REEF_BACKEND");
    return value != nullptr && std::strcmp(value, "headless") == 0 ? Backend::Headless
                                                                   : Backend::Sdl;
}

}  // namespace plat
