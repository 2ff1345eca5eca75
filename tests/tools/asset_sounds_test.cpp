// Every sound is a PCM WAV file the sound library can read, and the music is
// long enough and loops without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "game_files.h"

namespace {
struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

// Walks the chunks the way the sound library does: from offset 12, by size,
// with a pad byte after odd sizes.
std::optional<Wav> ReadWav(const std::string& relative) {
    const std::vector<uint8_t> b = ReadBytes(GameFile(relative));
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return std::nullopt;
    Wav wav;
    bool have_format = false, have_data = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const uint32_t size = Le32(b, at + 4);
        if (at + 8 + size > b.size()) return std::nullopt;
        if (id == "fmt " && size >= 16) {
            wav.format = Le16(b, at + 8);
            wav.channels = Le16(b, at + 10);
            wav.rate = static_cast<int>(Le32(b, at + 12));
            wav.bits = Le16(b, at + 22);
            have_format = true;
        } else if (id == "data") {
            for (uint32_t i = 0; i + 1 < size; i += 2) wav.samples.push_back(static_cast<int16_t>(Le16(b, at + 8 + i)));
            have_data = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!have_format || !have_data) return std::nullopt;
    return wav;
}

TEST(AssetSounds, EveryEffectIsAnAudible16BitPcmWav) {
    for (const char* file : {"sounds/search01.wav", "sounds/02.wav", "sounds/03.wav", "sounds/04.wav", "sounds/05.wav",
                             "sounds/06.wav", "sounds/09.wav", "sounds/11.wav", "sounds/12.wav", "sounds/13.wav",
                             "sounds/endlevel.wav"}) {
        SCOPED_TRACE(file);
        std::optional<Wav> wav = ReadWav(file);
        ASSERT_TRUE(wav);
        EXPECT_EQ(wav->format, 1);
        EXPECT_EQ(wav->bits, 16);
        EXPECT_EQ(wav->rate, 22050);
        const double seconds = static_cast<double>(wav->samples.size()) / wav->channels / wav->rate;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 3.0) << "effects are short";
        int peak = 0;
        for (int16_t s : wav->samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 8000) << "loud enough to hear";
        EXPECT_LT(peak, 32767) << "not clipped";
        EXPECT_LT(std::abs(static_cast<int>(wav->samples.back())), 100) << "ends in silence, without a click";
    }
}

TEST(AssetSounds, MusicIsLongStereoAndLoopsWithoutAClick) {
    std::optional<Wav> wav = ReadWav("sounds/music.wav");
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format, 1);
    EXPECT_EQ(wav->bits, 16);
    EXPECT_EQ(wav->rate, 22050);
    ASSERT_EQ(wav->channels, 2);
    const size_t frames = wav->samples.size() / 2;
    EXPECT_GE(frames, 45u * 22050u);
    // The step from the last frame back to the first is like any step inside the track.
    for (int c = 0; c < 2; ++c) {
        int largest_step = 0;
        long sum_of_steps = 0;
        for (size_t f = 1; f < frames; ++f) {
            const int step = std::abs(wav->samples[f * 2 + c] - wav->samples[(f - 1) * 2 + c]);
            largest_step = std::max(largest_step, step);
            sum_of_steps += step;
        }
        const int seam = std::abs(wav->samples[c] - wav->samples[(frames - 1) * 2 + c]);
        EXPECT_LE(seam, largest_step) << "channel " << c;
        EXPECT_LE(seam, 8 * sum_of_steps / static_cast<long>(frames) + 64) << "channel " << c;
    }
}
}  // namespace
