// Five games played headless twice, with effects and without (the second is
// the music alone): the music must be there from the fade-in to the end, at its
// level, under the effects, which stand clearly above it, and nothing reaches
// full scale.
#include <cmath>

#include "game_folder.h"
#include "program_run.h"
#include "recording.h"

namespace {

// dBFS of a mean square of 16-bit samples.
double Decibels(double meanSquare) { return 10 * std::log10(std::max(meanSquare, 1e-3) / (32768.0 * 32768.0)); }

// The music's gain in a stretch of the recording by least squares; the music
// starts with the recording and loops.
double MusicGain(const std::vector<int16_t>& heard, const std::vector<int16_t>& music,
               size_t start, size_t samples) {
    double mixed = 0, own = 0;
    for (size_t i = start; i < start + samples; ++i) {
        const double m = music[i % music.size()];
        mixed += heard[i] * m;
        own += m * m;
    }
    return own > 0 ? mixed / own : 0;
}

class GameMusic : public testing::Test {
protected:
    void SetUp() override { LinkGameFolder(dir_.Path() / "game", {}); }

    // Plays a whole game with the built-in player and returns what it recorded.
    Recording Play(const std::string& options, const std::string& name) {
        dir_.Write("options.ini", options);
        const ProgramRun run = RunProgram(dir_.Path() / "game", "--seed 5 --autoplay=5 --audio-out " + name +
                                                                   ".wav --report " + name + ".txt");
        EXPECT_EQ(run.status, 0) << name << ": " << run.errors;
        return ReadRecording((dir_.Path() / "game" / (name + ".wav")).string());
    }
    std::string Text(const std::string& name) const { return ReadText(dir_.Path() / "game" / name); }
    TempDir dir_;
};

TEST_F(GameMusic, TheMusicPlaysUnderTheEffectsFromStartToEnd) {
    const Recording game = Play("[setup]\nmusic=Y\nSFX=Y\n", "game");
    const Recording alone = Play("[setup]\nmusic=Y\nSFX=N\n", "alone");
    const std::vector<int16_t> music = ReadWav(dir_.Path() / "game" / "sounds" / "music.wav").samples;
    // The effects change nothing in the game: both runs are the same game.
    ASSERT_EQ(Text("game.txt"), Text("alone.txt"));
    ASSERT_TRUE(game.rate == 22050u && game.channels == 2);
    ASSERT_EQ(game.samples.size(), alone.samples.size());
    ASSERT_GT(music.size(), 22050u * 2 * 10);
    const size_t second = 22050 * 2;
    ASSERT_GT(game.samples.size(), second * 10);

    // Without effects: the music at -10 dB, sample for sample, from the end of
    // the 300 ms fade-in to the end of the game, through every loop.
    const double level = std::pow(10.0, -1000 / 2000.0);
    size_t wrong = 0;
    for (size_t i = second * 3 / 10 + 1000; i < alone.samples.size(); ++i) {
        if (std::abs(alone.samples[i] - std::lround(music[i % music.size()] * level)) > 1) ++wrong;
    }
    EXPECT_EQ(wrong, 0u);

    // With effects: per second, the median of ten gain estimates (a loud effect
    // spoils one, not the second) must find the music at its level. An effect
    // sounds in a tenth of a second where the effects' own level is within
    // 10 dB of the music's average; the effects' level is taken over those tenths.
    double musicSquares = 0;
    for (size_t i = second; i < alone.samples.size(); ++i) musicSquares += double(alone.samples[i]) * alone.samples[i];
    const double musicDb = Decibels(musicSquares / double(alone.samples.size() - second));
    const size_t tenth = second / 10;
    double effectSquares = 0;
    size_t effectSamples = 0, fullScale = 0;
    for (size_t s = 0; (s + 1) * second <= game.samples.size(); ++s) {
        std::vector<double> gains;
        for (size_t t = 0; t < 10; ++t) gains.push_back(MusicGain(game.samples, music, s * second + t * tenth, tenth));
        std::nth_element(gains.begin(), gains.begin() + 5, gains.end());
        const double gainDb = 20 * std::log10(std::max(gains[5], 1e-6));
        for (size_t t = 0; t < 10; ++t) {
            double effectTenth = 0;
            for (size_t i = s * second + t * tenth; i < s * second + (t + 1) * tenth; ++i) {
                const double effect = double(game.samples[i]) - alone.samples[i];
                effectTenth += effect * effect;
                if (std::abs(int(game.samples[i])) >= 32767) ++fullScale;
            }
            if (Decibels(effectTenth / tenth) >= musicDb - 10) {
                effectSquares += effectTenth;
                effectSamples += tenth;
            }
        }
        // Heard in every second after the fade-in; loud effects stray the estimate a few dB.
        EXPECT_TRUE(s == 0 || std::abs(gainDb + 10.0) <= 6.0) << "second " << s << ": " << gainDb << " dB";
    }
    ASSERT_GT(effectSamples, 0u);
    const double effectsDb = Decibels(effectSquares / double(effectSamples));
    EXPECT_NEAR(musicDb, -20.0, 1.5);
    EXPECT_NEAR(effectsDb - musicDb, 8.0, 2.0) << "effects above the music";
    EXPECT_EQ(fullScale, 0u);
}

}  // namespace
