// Plays through the headless mixer into a recorded WAV file and measures what
// arrived there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio_output.h"
#include "platform/peak_limiter.h"
#include "recording.h"
#include "sound/sound_manager.h"
#include "sound_fixture.h"
#include "stream_fixture.h"

namespace {

class CaptureTest : public testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        plat::SetAudioCaptureFile((dir_.Path() / "out.wav").string());
    }
    void TearDown() override { plat::SetAudioCaptureFile(""); }
    TempDir dir_;
};

TEST_F(CaptureTest, APlayedSoundIsInTheRecordingAtItsLengthAndLevel) {
    // 0.2 s at 22050 Hz, 16-bit mono, value 8000.
    dir_.Write("sounds/02.wav", wav::Tone(4410, 8000));
    g_SoundManager.Init(TestWindow(), 200);
    ASSERT_NE(g_SoundManager.Load("sounds\\02.wav", "1treasure"), nullptr);
    AdvanceAudio(100);  // silence first
    g_SoundManager.Play("1treasure", 65535, 0);
    AdvanceAudio(500);
    g_SoundManager.Exit();

    Recording r = ReadRecording((dir_.Path() / "out.wav").string());
    ASSERT_TRUE(r.rate == 22050u && r.channels == 2 && r.bits == 16);
    EXPECT_EQ(r.samples.size(), 22050u * 600 / 1000 * 2);
    // Frames that carry the sound, on both channels: pan 0 leaves the left
    // speaker as loud as the right.
    size_t first = r.samples.size(), last = 0, loud = 0;
    for (size_t i = 0; i < r.samples.size(); ++i) {
        if (r.samples[i] == 0) continue;
        first = std::min(first, i / 2);
        last = std::max(last, i / 2);
        if (std::abs(r.samples[i] - 8000) <= 2) ++loud;
    }
    ASSERT_LT(first, r.samples.size());
    EXPECT_NEAR(double(first), 2205.0, 2.0);       // started at 100 ms
    EXPECT_NEAR(double(last - first + 1), 4410.0, 2.0);
    EXPECT_EQ(loud, 2u * 4410u);
}

TEST_F(CaptureTest, TheMixFollowsTheVolumeCurve) {
    dir_.Write("a.wav", wav::Tone(2205, 8000));
    ASSERT_EQ(g_Sound.Init(TestWindow(), 10), 1);
    ASSERT_EQ(g_Sound.LoadSample("a.wav", 1), 1);
    g_Sound.PlaySample(1, 32768, 0);  // -10 dB
    AdvanceAudio(50);
    g_Sound.Exit();
    Recording r = ReadRecording((dir_.Path() / "out.wav").string());
    ASSERT_FALSE(r.samples.empty());
    EXPECT_NEAR(r.samples[100], 8000 * 0.3162, 3.0);
}

// The game's eight loudest effects started together over its music, at the
// game's levels: far past full scale when summed, they come out under the
// limiter's ceiling, in their own shape, held down no more than their peak
// asks, and the music is back at its own level soon after them.
TEST_F(CaptureTest, TheEightLoudestEffectsAtOnceOverTheMusicNeverReachFullScale) {
    namespace fs = std::filesystem;
    const fs::path sounds = fs::path(REEF_GAME_FOLDER) / "sounds";
    // The Windows build's game folder is the installed one, with the music as an MP3 only.
    if (!fs::exists(sounds / "music.wav")) GTEST_SKIP() << "no music.wav in " << sounds;
    struct Effect {
        double meanSquare;
        std::string path;
        std::vector<int16_t> samples;
    };
    std::vector<Effect> effects;
    for (const auto& entry : fs::directory_iterator(sounds)) {
        if (entry.path().extension() != ".wav" || entry.path().filename() == "music.wav") continue;
        Effect e{0, entry.path().string(), ReadWav(entry.path()).samples};
        for (int16_t v : e.samples) e.meanSquare += double(v) * v / double(e.samples.size());
        effects.push_back(std::move(e));
    }
    ASSERT_GE(effects.size(), 8u);
    std::sort(effects.begin(), effects.end(), [](const Effect& a, const Effect& b) { return a.meanSquare > b.meanSquare; });
    effects.resize(8);
    const std::vector<int16_t> music = ReadWav(sounds / "music.wav").samples;

    // The music from the start, as the game plays it (-10 dB); the effects
    // together at 0.5 s, at full volume.
    ASSERT_EQ(g_Sound.Init(TestWindow(), 20), 1);
    ASSERT_EQ(g_Sound.LoadStream((sounds / "music.wav").string().c_str(), 0), 1);
    QVSound::SetStreamVolume(32767);
    ASSERT_EQ(g_Sound.PlayStream(STREAM_LOOP), 1);
    for (uint32_t id = 1; id <= 8; ++id) ASSERT_EQ(g_Sound.LoadSample(effects[id - 1].path.c_str(), id), 1);
    // In steps the music's fill thread keeps up with.
    for (int step = 0; step < 5; ++step) PlayFor(100);
    for (uint32_t id = 1; id <= 8; ++id) ASSERT_NE(g_Sound.PlaySample(int32_t(id), 65535, 32767), nullptr);
    for (int step = 0; step < 40; ++step) PlayFor(100);
    g_Sound.Exit();
    const Recording r = ReadRecording((dir_.Path() / "out.wav").string());
    ASSERT_EQ(r.channels, 2);

    // What the mix would be without a limiter, over the effects' first second.
    const double musicGain = std::pow(10.0, -0.5);
    const size_t start = 11025, frames = 22050;
    ASSERT_GE(r.samples.size(), (start + 2 * frames) * 2);
    double heard = 0, summed = 0, together = 0, loudest = 0;
    for (size_t i = start * 2; i < (start + frames) * 2; ++i) {
        double sum = music[i % music.size()] * musicGain;
        for (const Effect& e : effects) sum += i / 2 - start < e.samples.size() ? e.samples[i / 2 - start] : 0;
        loudest = std::max(loudest, std::abs(sum));
        heard += double(r.samples[i]) * r.samples[i];
        summed += sum * sum;
        together += sum * r.samples[i];
    }
    ASSERT_GT(loudest, 40000.0) << "the effects together go far past full scale";
    int peak = 0;
    for (int16_t v : r.samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_LE(peak, int(plat::PeakLimiter::kCeiling) + 1);
    // The same sounds, only quieter: closely correlated with the plain sum,
    // and no more below it than the sum's peak is above the ceiling.
    EXPECT_GT(together / std::sqrt(heard * summed), 0.95);
    const double reductionDb = 10 * std::log10(summed / heard);
    EXPECT_GT(reductionDb, 0.0);
    EXPECT_LT(reductionDb, 20 * std::log10(loudest / plat::PeakLimiter::kCeiling));
    // Once the effects have ended (the longest lasts under three seconds), the
    // music alone, at its level again.
    size_t wrong = 0;
    for (size_t i = (start + 3 * 22050) * 2; i < (start + 3 * 22050 + frames / 2) * 2; ++i) {
        if (std::abs(r.samples[i] - std::lround(music[i % music.size()] * musicGain)) > 1) ++wrong;
    }
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
