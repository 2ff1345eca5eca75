// Every sound is a PCM WAV file the sound library can read, with headroom, and
// the music is long enough and loops without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "game_files.h"
#include "wav_file.h"

namespace {
TEST(AssetSounds, EveryEffectIsAnAudible16BitPcmWav) {
    for (const char* file : {"sounds/search01.wav", "sounds/02.wav", "sounds/03.wav", "sounds/04.wav", "sounds/05.wav",
                             "sounds/06.wav", "sounds/09.wav", "sounds/11.wav", "sounds/12.wav", "sounds/13.wav",
                             "sounds/endlevel.wav"}) {
        SCOPED_TRACE(file);
        const WavFile wav = ReadWav(GameFile(file));
        ASSERT_TRUE(wav.read);
        EXPECT_EQ(std::make_tuple(wav.format, wav.bits, wav.rate), std::make_tuple(1, 16, 22050u));
        const double seconds = static_cast<double>(wav.samples.size()) / wav.channels / wav.rate;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 3.0) << "effects are short";
        int peak = 0;
        for (int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 8000) << "loud enough to hear";
        EXPECT_LT(peak, 23197) << "peaks below -3 dBFS, so one effect over the music stays clear of full scale";
        EXPECT_LT(std::abs(static_cast<int>(wav.samples.back())), 100) << "ends in silence, without a click";
    }
}

TEST(AssetSounds, MusicIsLongStereoAndLoopsWithoutAClick) {
    const WavFile wav = ReadWav(GameFile("sounds/music.wav"));
    ASSERT_TRUE(wav.read);
    EXPECT_EQ(std::make_tuple(wav.format, wav.bits, wav.rate), std::make_tuple(1, 16, 22050u));
    ASSERT_EQ(wav.channels, 2);
    const size_t frames = wav.samples.size() / 2;
    EXPECT_GE(frames, 120u * 22050u) << "two minutes before it repeats";
    // The step from the last frame back to the first is like any step inside the track.
    for (int c = 0; c < 2; ++c) {
        int largest_step = 0;
        long sum_of_steps = 0;
        for (size_t f = 1; f < frames; ++f) {
            const int step = std::abs(wav.samples[f * 2 + c] - wav.samples[(f - 1) * 2 + c]);
            largest_step = std::max(largest_step, step);
            sum_of_steps += step;
        }
        const int seam = std::abs(wav.samples[c] - wav.samples[(frames - 1) * 2 + c]);
        EXPECT_LE(seam, largest_step) << "channel " << c;
        EXPECT_LE(seam, 8 * sum_of_steps / static_cast<long>(frames) + 64) << "channel " << c;
    }
}
}  // namespace
