#pragma once
// The web backend's audio output: the mixer feeding Web Audio. A script
// processor node on the page's main thread asks the mixer for each block of
// frames, at the mixer's own rate (the audio context is made at that rate). Browsers keep a context silent until the player's first
// gesture; the input callbacks make or resume it then
// (Module.reefResumeSound), and a page that sets Module.reefSoundAtOnce has it
// made at start.
#include <cstdint>
#include <vector>

#include "platform/audio_output.h"

namespace plat {

class WebAudioOutput : public AudioOutput {
public:
    bool Available() override;
    bool Start(Mixer& mixer) override;
    void Stop() override;

    // Mixes frames into the output block; called by the node's callback.
    int16_t* Render(uint32_t frames);

private:
    Mixer* mixer_ = nullptr;
    uint32_t channels_ = 2;
    std::vector<int16_t> block_;
};

WebAudioOutput& WebAudio();

}  // namespace plat
