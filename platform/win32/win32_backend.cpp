// The Windows build's backends: the win32 driver first, as players want it,
// then headless.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/sdl/real_clock.h"
#include "platform/video_driver.h"
#include "platform/win32/wave_out_audio.h"
#include "platform/win32/win32_video.h"

namespace plat {

namespace {
// The real-time clock has nothing of SDL in it; on Windows its sleeps keep
// to the millisecond while the display is open (timeBeginPeriod).
ClockDriver& Win32Clock() {
    static RealClock clock;
    return clock;
}

VideoDriver& Win32Windows() { return Win32Display(); }
AudioOutput& Win32Sound() { return WaveOut(); }
}  // namespace

std::span<const BackendEntry> Backends() {
    // Made on first use: the platform's facilities may ask for it while
    // other files' statics are still being made.
    static const BackendEntry table[] = {
        {"win32", Backend::Real, Win32Clock, Win32Windows, Win32Sound},
        HeadlessBackend(),
    };
    return table;
}

}  // namespace plat
