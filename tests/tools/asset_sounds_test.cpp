// Every sound is a PCM WAV file the sound library can read, with headroom, and
// the music is long enough and loops without a click; its MP3 decodes to the
// WAV's very samples in length and place, near enough in value.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
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
        EXPECT_TRUE(seconds > 0.1 && seconds < 3.0) << seconds << " s: effects are short";
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
        const long typical = 8 * sum_of_steps / static_cast<long>(frames) + 64;
        EXPECT_LE(seam, std::min<long>(largest_step, typical)) << "channel " << c;
    }
}

// Decoded gaplessly, as the game's player does: the encoder's delay and the
// last frame's padding are trimmed by the LAME tag, so the song ends where
// the WAV ends and starts again without silence of its own.
TEST(AssetSounds, TheMusicMp3DecodesToTheWavsLengthAndPlace) {
    const WavFile wav = ReadWav(GameFile("sounds/music.wav"));
    ASSERT_TRUE(wav.read);
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    ASSERT_NE(decoder, nullptr);
    long rate = 0;
    int channels = 0, encoding = 0;
    ASSERT_EQ(mpg123_open(decoder, GameFile("sounds/music.mp3").c_str()), MPG123_OK);
    ASSERT_EQ(mpg123_getformat(decoder, &rate, &channels, &encoding), MPG123_OK);
    EXPECT_EQ(std::make_tuple(rate, channels), std::make_tuple(22050L, 2));
    mpg123_format_none(decoder);
    mpg123_format(decoder, rate, channels, MPG123_ENC_SIGNED_16);
    std::vector<int16_t> mp3;
    int16_t block[8192];
    size_t bytes = 0;
    for (int result = MPG123_OK; result == MPG123_OK || result == MPG123_NEW_FORMAT;) {
        result = mpg123_read(decoder, block, sizeof block, &bytes);
        mp3.insert(mp3.end(), block, block + bytes / 2);
    }
    mpg123_delete(decoder);
    EXPECT_EQ(mp3.size(), wav.samples.size()) << "samples of the WAV: " << wav.samples.size();
    // In place: the difference is coding noise, far below the music; one
    // sample's shift would leave it near the music's own level.
    double music = 0, noise = 0;
    for (size_t i = 0; i < std::min(mp3.size(), wav.samples.size()); ++i) {
        music += double(wav.samples[i]) * wav.samples[i];
        noise += (double(mp3[i]) - wav.samples[i]) * (double(mp3[i]) - wav.samples[i]);
    }
    EXPECT_GT(10 * std::log10(music / std::max(noise, 1.0)), 30.0) << "dB of music over the coding noise";
}
}  // namespace
