#pragma once
// The win32 backend's audio output: the mix played through waveOut, the
// multimedia sound device every Windows has. A thread of its own keeps four
// short buffers queued, refilling each from the mixer as the device hands it
// back. Without a sound device it does not start, as the SDL output does not.
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/audio_output.h"

namespace plat {

class WaveOutAudio : public AudioOutput {
public:
    bool Available() override;
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    void Feed();

    void* device_ = nullptr;  // HWAVEOUT
    void* bufferDone_ = nullptr;  // event the device signals as it returns a buffer
    Mixer* mixer_ = nullptr;
    uint32_t frameBytes_ = 4;
    std::atomic<bool> stopping_{false};
    std::thread feeder_;
};

WaveOutAudio& WaveOut();

}  // namespace plat
