#pragma once
// The sdl backend's audio output: one SDL audio device opened at the mix
// format, whose callback asks the mixer for exactly the frames SDL wants. The
// callback runs no library or game code: the mixer only sums voices and
// signals events, under a lock that other threads hold only briefly.
#include <SDL.h>

#include <cstdint>

#include "platform/audio_output.h"

namespace plat {

class SdlAudioOutput : public AudioOutput {
public:
    bool Available() override;
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    static void Callback(void* user, Uint8* stream, int length);

    SDL_AudioDeviceID device_ = 0;
    Mixer* mixer_ = nullptr;
    uint32_t frameBytes_ = 4;
};

SdlAudioOutput& SdlAudio();

}  // namespace plat
