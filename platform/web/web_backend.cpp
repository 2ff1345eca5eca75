// The web build's backends: the page (canvas, HTML5 input, Web Audio, real
// time) first, then headless for --headless. A scripted run in the page keeps
// the page's display but runs on the headless backend's virtual clock with its
// mixer, so that a replay in the browser ends exactly as a headless one.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_video.h"
#include "platform/headless/virtual_clock.h"
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

ClockDriver& HeadlessTime() { return HeadlessClock(); }
VideoDriver& HeadlessWindows() { return HeadlessDisplay(); }
AudioOutput& HeadlessSound() { return HeadlessAudio(); }

const BackendEntry kBackends[] = {
    {"web", Backend::Real, PageTime, PageDisplay, PageSound},
    {"headless", Backend::Headless, HeadlessTime, HeadlessWindows, HeadlessSound},
};
}  // namespace

std::span<const BackendEntry> Backends() { return kBackends; }

}  // namespace plat
