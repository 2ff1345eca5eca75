#include "platform/sdl/sdl_audio.h"

#include "platform/failure.h"
#include "platform/mixer.h"

#ifdef REEF_QUIET_ALSA
#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>

#include "platform/debug_log.h"
#endif

namespace plat {

namespace {
#ifdef REEF_QUIET_ALSA
// libasound prints its own complaints to standard error (no card, an unknown
// device name, a broken configuration) from inside SDL's calls, before SDL
// reports the failure to us. It prints them through one handler for the whole
// process, which SDL does not expose; SDL uses the same libasound.so.2 as we
// link, so the handler set here is the one SDL's calls reach. The messages go
// to the debug log instead, and the player sees only the game's own line.
void AlsaErrorToDebugLog(const char* file, int line, const char* function, int error,
                         const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    DebugLog("ALSA %s:%d (%s): %s%s%s\n", file, line, function, text, error != 0 ? ": " : "",
             error != 0 ? snd_strerror(error) : "");
}

// Called before SDL starts its audio, so that its probe of the drivers is quiet too.
void QuietenAlsa() { snd_lib_error_set_handler(AlsaErrorToDebugLog); }
#else
void QuietenAlsa() {}
#endif
}  // namespace

SdlAudioOutput& SdlAudio() {
    static SdlAudioOutput output;
    return output;
}

bool SdlAudioOutput::Available() {
    QuietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return FailWithSdlError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return true;
}

bool SdlAudioOutput::Start(Mixer& mixer) {
    if (device_ != 0) return true;
    QuietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return FailWithSdlError();
    const PcmFormat format = mixer.OutputFormat();
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(format.rate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = 512;  // about 23 ms at 22050 Hz
    wanted.callback = Callback;
    wanted.userdata = this;
    mixer_ = &mixer;
    frameBytes_ = format.channels * sizeof(int16_t);
    // No changes allowed: SDL converts the mix to whatever the hardware takes.
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        FailWithSdlError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioOutput::Stop() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    mixer_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::Callback(void* user, Uint8* stream, int length) {
    auto* self = static_cast<SdlAudioOutput*>(user);
    self->mixer_->Render(reinterpret_cast<int16_t*>(stream),
                         static_cast<uint32_t>(length) / self->frameBytes_);
}

}  // namespace plat
