// The web build's choice of drivers, in place of platform/backend.cpp: the
// web set (canvas, HTML5 input, Web Audio, real time), or for a scripted run
// the same display on the headless backend's virtual clock with its mixer, so
// that a replay in the browser ends exactly as a headless one; and the
// headless set itself for --headless.
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
Backend g_backend = Backend::Headless;
bool g_chosen = false;

WebClock& RealTime() {
    static WebClock clock;
    return clock;
}

PacedVirtualClock& GameTime() {
    static PacedVirtualClock clock;
    return clock;
}
}  // namespace

void UseBackend(Backend backend) {
    g_backend = backend;
    g_chosen = true;
    if (backend == Backend::Headless) {
        SetClockDriver(&HeadlessClock());
        SetAudioOutput(&HeadlessAudio());
        SetVideoDriver(&HeadlessDisplay());
        return;
    }
    const bool scripted = RealMouseIgnored();
    WebDisplay().SetStepped(scripted);
    SetClockDriver(scripted ? static_cast<ClockDriver*>(&GameTime()) : &RealTime());
    SetAudioOutput(scripted ? static_cast<AudioOutput*>(&HeadlessAudio()) : &WebAudio());
    SetVideoDriver(&WebDisplay());
}

Backend CurrentBackend() {
    if (!g_chosen) UseBackend(BackendFromEnvironment());
    return g_backend;
}

// The page is the display: the web drivers take the place of the sdl ones.
Backend BackendFromEnvironment() { return Backend::Sdl; }

}  // namespace plat
