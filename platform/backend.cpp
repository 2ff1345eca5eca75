#include "platform/backend.h"

#include <cstdlib>

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
    {"sdl", Backend::Sdl, SdlClock, SdlDisplay, SdlSound},
    {"headless", Backend::Headless, HeadlessTime, HeadlessWindows, HeadlessSound},
};
}  // namespace

std::span<const BackendEntry> Backends() { return kBackends; }

const BackendEntry* FindBackend(std::string_view name) {
    for (const BackendEntry& entry : kBackends) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

std::string BackendNames() {
    std::string names;
    for (const BackendEntry& entry : kBackends) {
        if (!names.empty()) names += ", ";
        names += entry.name;
    }
    return names;
}

void UseBackend(Backend backend) {
    for (const BackendEntry& entry : kBackends) {
        if (entry.backend != backend) continue;
        g_backend = backend;
        g_chosen = true;
        SetClockDriver(&entry.clock());
        SetAudioOutput(&entry.audio());
        SetVideoDriver(&entry.video());
    }
}

Backend CurrentBackend() {
    if (!g_chosen) {
        // The program refuses an unknown name at start-up; anything that
        // gets here without one takes the default.
        Backend backend = kBackends[0].backend;
        BackendFromEnvironment(&backend, nullptr);
        UseBackend(backend);
    }
    return g_backend;
}

bool BackendFromEnvironment(Backend* backend, std::string* error) {
    const char* value = std::getenv("REEF_BACKEND");
    if (value == nullptr || *value == '\0') {
        *backend = kBackends[0].backend;
        return true;
    }
    if (const BackendEntry* entry = FindBackend(value)) {
        *backend = entry->backend;
        return true;
    }
    if (error != nullptr) {
        *error = std::string("REEF_BACKEND=") + value + ": unknown backend (known: " +
                 BackendNames() + ")";
    }
    return false;
}

}  // namespace plat
