#pragma once
// The headless backend's audio output: the mixer runs on a 10 ms periodic
// timer of the virtual clock, so sounds advance exactly as far as a test moves
// time, and everything mixed can be appended to a WAV file
// (plat::SetAudioCaptureFile) to be listened to or measured.
#include <cstdint>
#include <vector>

#include "platform/audio_output.h"
#include "platform/clock.h"
#include "platform/headless/wav_writer.h"

namespace plat {

class HeadlessAudioOutput : public AudioOutput {
public:
    bool Available() override { return true; }
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    static void Tick(void* user);
    static constexpr uint32_t kTickMs = 10;

    Mixer* mixer_ = nullptr;
    uint32_t rate_ = 0;
    uint16_t channels_ = 0;
    TimerId timer_ = 0;
    uint64_t ticks_ = 0;
    uint64_t framesMixed_ = 0;
    std::vector<int16_t> block_;  // one tick of output
    WavWriter capture_;
};

HeadlessAudioOutput& HeadlessAudio();

}  // namespace plat
