#include "platform/sdl/sdl_audio.h"

#include "platform/mixer.h"

namespace plat {

SdlAudioOutput& SdlAudio() {
    static SdlAudioOutput output;
    return output;
}

bool SdlAudioOutput::Available() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return true;
}

bool SdlAudioOutput::Start(Mixer& mixer) {
    if (device_ != 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
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
