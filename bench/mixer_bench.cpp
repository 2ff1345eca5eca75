// Cost of one audio callback's worth of mixing (512 frames at 22050 Hz
// stereo) with a number of looping voices, half of them at another rate so
// that they are resampled.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/mixer.h"

namespace {

void MixCallback(benchmark::State& state) {
    plat::Mixer mixer;
    mixer.SetOutputFormat({22050, 2, 16});
    std::vector<std::unique_ptr<plat::MixVoice>> voices;
    for (int64_t i = 0; i < state.range(0); ++i) {
        auto voice = std::make_unique<plat::MixVoice>();
        voice->data = std::make_shared<std::vector<uint8_t>>(44100, uint8_t(i * 7));
        voice->format = {i % 2 == 0 ? 22050u : 11025u, 1, 16};
        mixer.AddVoice(voice.get());
        mixer.Play(*voice, true);
        voices.push_back(std::move(voice));
    }
    std::vector<int16_t> out(512 * 2);
    for (auto _ : state) {
        mixer.Render(out.data(), 512);
        benchmark::DoNotOptimize(out.data());
    }
    for (auto& voice : voices) mixer.RemoveVoice(voice.get());
    // The mixing time as a share of the 512 frames' playing time.
    constexpr double kCallbackSeconds = 512.0 / 22050.0;
    state.counters["share_of_period"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kCallbackSeconds,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(MixCallback)->Arg(1)->Arg(8)->Arg(32)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
