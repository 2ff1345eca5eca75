// Plays through the headless mixer into a recorded WAV file and measures what
// arrived there.
#include <algorithm>
#include <cstdlib>

#include "platform/audio_output.h"
#include "recording.h"
#include "sound/sound_manager.h"
#include "sound_fixture.h"

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

}  // namespace
