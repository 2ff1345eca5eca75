#include "platform/headless/headless_audio.h"

#include <cstdio>

#include "platform/headless/virtual_clock.h"
#include "platform/mixer.h"

namespace plat {

HeadlessAudioOutput& HeadlessAudio() {
    static HeadlessAudioOutput output;
    return output;
}

bool HeadlessAudioOutput::Start(Mixer& mixer) {
    if (timer_ != 0) return true;
    const PcmFormat format = mixer.OutputFormat();
    mixer_ = &mixer;
    rate_ = format.rate;
    channels_ = format.channels;
    ticks_ = 0;
    framesMixed_ = 0;
    block_.assign((rate_ * kTickMs / 1000 + 1) * channels_, 0);
    const std::string capture = AudioCaptureFile();
    if (!capture.empty() && !capture_.Open(capture, rate_, channels_)) {
        std::fprintf(stderr, "the sound cannot be written to %s\n", capture.c_str());
    }
    timer_ = HeadlessClock().StartPeriodic(kTickMs, Tick, this);
    return timer_ != 0;
}

void HeadlessAudioOutput::Stop() {
    if (timer_ == 0) return;
    HeadlessClock().StopPeriodic(timer_);  // no tick runs after this returns
    timer_ = 0;
    capture_.Close();
    mixer_ = nullptr;
}

void HeadlessAudioOutput::Tick(void* user) {
    auto* self = static_cast<HeadlessAudioOutput*>(user);
    // Whole frames due by the end of this tick; the fraction carries over.
    ++self->ticks_;
    const uint64_t due = self->ticks_ * kTickMs * self->rate_ / 1000;
    const auto frames = static_cast<uint32_t>(due - self->framesMixed_);
    self->framesMixed_ = due;
    self->mixer_->Render(self->block_.data(), frames);
    self->capture_.Append(self->block_.data(), frames * self->channels_);
}

}  // namespace plat
