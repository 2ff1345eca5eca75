#pragma once
// The web backend's audio output: the mixer feeding Web Audio. A script
// processor node on the page's main thread asks the mixer for each block of
// frames, at the mixer's own rate (the audio context is made at that rate). Browsers keep a context silent until the player's first
// gesture; the input callbacks make or resume it then
// (Module.reefResumeSound), and a page that sets Module.reefSoundAtOnce has it
// made at start. While no voice sounds the node rests, off the context, and
// wakes the page's thread no more; the next voice to start connects it again.
// The context also plays the music (web_mp3_player.cpp) beside the node.
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
    // Null when no voice sounded: silence, and the node may rest.
    int16_t* Render(uint32_t frames);

private:
    // The mixer's play listener: a voice starts, so a resting node connects again.
    static void Wake(void*);

    Mixer* mixer_ = nullptr;
    uint32_t channels_ = 2;
    std::vector<int16_t> block_;
};

WebAudioOutput& WebAudio();

}  // namespace plat
