#pragma once
// The web backend's audio output: the mixer feeding Web Audio. A script
// processor node on the page's main thread asks the mixer for each block of
// frames, at the mixer's own rate (the audio contexts are made at that rate).
// Browsers keep a context silent until the player's first gesture; the input
// callbacks make or resume it then (Module.reefResumeSound), and a page that
// sets Module.reefSoundAtOnce has it made at start. While no voice sounds the
// node rests, off its context, and after two seconds of that the context is
// suspended: neither the page's thread nor the browser's audio threads wake
// for it. The next voice to start connects and resumes them. The music
// (web_mp3_player.cpp) plays on a second context of its own with a long
// buffer, as it needs no quick start.
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
    // The mixer's play listener: a voice starts, so resting effects start again.
    static void Wake(void*);

    Mixer* mixer_ = nullptr;
    uint32_t channels_ = 2;
    std::vector<int16_t> block_;
};

WebAudioOutput& WebAudio();

}  // namespace plat
