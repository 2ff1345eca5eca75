// The web build's backends: the page (canvas, HTML5 input, Web Audio, real
// time) first, then headless for --headless. A scripted run in the page keeps
// the page's display but runs on the headless backend's virtual clock with its
// mixer, so that a replay in the browser ends exactly as a headless one.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_backend.h"
#include "platform/video_driver.h"
#include "platform/web/web_audio.h"
#include "platform/web/web_clock.h"
#include "platform/web/web_video.h"
#include "platform/window.h"

namespace plat {

namespace {
ClockDriver& PageTime() {
    static WebClock realTime;
    static PacedVirtualClock gameTime;
    if (RealMouseIgnored()) return gameTime;
    return realTime;
}

VideoDriver& PageDisplay() {
    WebDisplay().SetStepped(RealMouseIgnored());
    return WebDisplay();
}

AudioOutput& PageSound() {
    if (RealMouseIgnored()) return HeadlessAudio();
    return WebAudio();
}
}  // namespace

std::span<const BackendEntry> Backends() {
    // Made on first use: the platform's facilities may ask for it while
    // other files' statics are still being made.
    static const BackendEntry table[] = {
        {"web", Backend::Real, PageTime, PageDisplay, PageSound},
        HeadlessBackend(),
    };
    return table;
}

}  // namespace plat
