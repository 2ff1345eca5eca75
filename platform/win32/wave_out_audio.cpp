#include "platform/win32/wave_out_audio.h"

#include "platform/mixer.h"

// After the platform's headers: its message names are Windows' macros.
#include <windows.h>
#include <mmsystem.h>

namespace plat {

namespace {
constexpr int kBuffers = 4;
constexpr uint32_t kBufferFrames = 512;  // about 23 ms at 22050 Hz

HWAVEOUT Device(void* device) { return static_cast<HWAVEOUT>(device); }
}  // namespace

WaveOutAudio& WaveOut() {
    static WaveOutAudio output;
    return output;
}

bool WaveOutAudio::Available() { return waveOutGetNumDevs() > 0; }

bool WaveOutAudio::Start(Mixer& mixer) {
    if (device_ != nullptr) return true;
    const PcmFormat format = mixer.OutputFormat();
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = static_cast<WORD>(format.channels);
    wave.nSamplesPerSec = format.rate;
    wave.wBitsPerSample = 16;
    wave.nBlockAlign = static_cast<WORD>(wave.nChannels * sizeof(int16_t));
    wave.nAvgBytesPerSec = wave.nSamplesPerSec * wave.nBlockAlign;
    bufferDone_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    if (bufferDone_ == nullptr ||
        waveOutOpen(&device, WAVE_MAPPER, &wave, reinterpret_cast<DWORD_PTR>(bufferDone_), 0, CALLBACK_EVENT) !=
            MMSYSERR_NOERROR) {
        if (bufferDone_ != nullptr) CloseHandle(bufferDone_);
        bufferDone_ = nullptr;
        return false;
    }
    device_ = device;
    mixer_ = &mixer;
    frameBytes_ = wave.nBlockAlign;
    stopping_ = false;
    feeder_ = std::thread([this] { Feed(); });
    return true;
}

void WaveOutAudio::Feed() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    std::vector<int16_t> samples(static_cast<size_t>(kBuffers) * kBufferFrames * frameBytes_ / sizeof(int16_t));
    WAVEHDR headers[kBuffers] = {};
    const size_t bufferSamples = samples.size() / kBuffers;
    for (int i = 0; i < kBuffers; ++i) {
        headers[i].lpData = reinterpret_cast<LPSTR>(samples.data() + i * bufferSamples);
        headers[i].dwBufferLength = kBufferFrames * frameBytes_;
        waveOutPrepareHeader(Device(device_), &headers[i], sizeof(WAVEHDR));
        headers[i].dwFlags |= WHDR_DONE;  // free to fill
    }
    while (!stopping_) {
        for (WAVEHDR& header : headers) {
            if ((header.dwFlags & WHDR_DONE) == 0) continue;
            mixer_->Render(reinterpret_cast<int16_t*>(header.lpData), kBufferFrames);
            header.dwFlags &= ~WHDR_DONE;
            waveOutWrite(Device(device_), &header, sizeof(WAVEHDR));
        }
        WaitForSingleObject(bufferDone_, 100);
    }
    // Every buffer comes back marked done once the device is reset.
    waveOutReset(Device(device_));
    for (WAVEHDR& header : headers) waveOutUnprepareHeader(Device(device_), &header, sizeof(WAVEHDR));
}

void WaveOutAudio::Stop() {
    if (device_ == nullptr) return;
    stopping_ = true;
    SetEvent(bufferDone_);
    feeder_.join();  // after which no Render call is running
    waveOutClose(Device(device_));
    CloseHandle(bufferDone_);
    device_ = nullptr;
    bufferDone_ = nullptr;
    mixer_ = nullptr;
}

}  // namespace plat
