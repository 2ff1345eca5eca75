#include "platform/backend.h"

#include <cstdlib>

#include "platform/audio_output.h"
#include "platform/clock.h"
#include "platform/video_driver.h"

namespace plat {

namespace {
Backend g_backend = Backend::Headless;
bool g_chosen = false;
}  // namespace

const BackendEntry* FindBackend(std::string_view name) {
    for (const BackendEntry& entry : Backends()) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

std::string BackendNames() {
    std::string names;
    for (const BackendEntry& entry : Backends()) {
        if (!names.empty()) names += ", ";
        names += entry.name;
    }
    return names;
}

void UseBackend(Backend backend) {
    for (const BackendEntry& entry : Backends()) {
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
        Backend backend = Backends()[0].backend;
        BackendFromEnvironment(&backend, nullptr);
        UseBackend(backend);
    }
    return g_backend;
}

bool BackendFromEnvironment(Backend* backend, std::string* error) {
    const char* value = std::getenv("REEF_BACKEND");
    if (value == nullptr || *value == '\0') {
        *backend = Backends()[0].backend;
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
