#include "platform/headless/headless_backend.h"

#include "platform/audio_output.h"
#include "platform/clock.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_video.h"
#include "platform/headless/virtual_clock.h"
#include "platform/video_driver.h"

namespace plat {

namespace {
ClockDriver& HeadlessTime() { return HeadlessClock(); }
VideoDriver& HeadlessWindows() { return HeadlessDisplay(); }
AudioOutput& HeadlessSound() { return HeadlessAudio(); }
}  // namespace

BackendEntry HeadlessBackend() {
    return {"headless", Backend::Headless, HeadlessTime, HeadlessWindows, HeadlessSound};
}

}  // namespace plat
