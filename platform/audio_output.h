#pragma once
// Where the mix goes: each backend supplies one audio output that, while
// started, pulls frames from a mixer at the mixer's output format (the sdl
// backend from its audio device callback, the headless backend from a timer on
// the virtual clock).
#include <string>

namespace plat {

class Mixer;

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Whether the output can be opened at all (a sound device can be made).
    virtual bool Available() = 0;
    // Starts pulling from the mixer; false when the output cannot start.
    virtual bool Start(Mixer& mixer) = 0;
    // Stops pulling; returns after the last Render call has finished.
    virtual void Stop() = 0;
};

void SetAudioOutput(AudioOutput* output);
AudioOutput& CurrentAudioOutput();

// A WAV file that the headless output appends everything it mixes to, from
// the next start of the output on (the shell's --audio-out). Empty: none.
void SetAudioCaptureFile(const std::string& path);
std::string AudioCaptureFile();

}  // namespace plat
