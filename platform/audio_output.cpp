#include "platform/audio_output.h"

#include <mutex>

#include "platform/backend.h"

namespace plat {

namespace {
AudioOutput* g_output = nullptr;
std::mutex g_captureMutex;
std::string g_capturePath;
}  // namespace

void SetAudioOutput(AudioOutput* output) { g_output = output; }

AudioOutput& CurrentAudioOutput() {
    // Code that runs before start-up chose a backend gets the environment's choice.
    if (g_output == nullptr) CurrentBackend();
    return *g_output;
}

void SetAudioCaptureFile(const std::string& path) {
    std::lock_guard lock(g_captureMutex);
    g_capturePath = path;
}

std::string AudioCaptureFile() {
    std::lock_guard lock(g_captureMutex);
    return g_capturePath;
}

}  // namespace plat
