// The music stream's controls on the headless mixer: pausing, refusals, the
// music switch, the end of the library and fades.
#include "stream_fixture.h"

namespace {

TEST_F(StreamTest, PauseAndResumeGoOnWhereTheyStopped) {
    const std::vector<int16_t> pcm = Pattern(40000);
    StartStream("pause.wav", StereoFile(pcm), 4, STREAM_LOOP);
    PlayFor(730);
    g_Sound.PauseStream();
    // The pause's stop is reported like any other; the stream lives on.
    PlayFor(1000);
    EXPECT_EQ(QVSound::GetStreamID(), 4u);
    EXPECT_TRUE(StreamCopy().dwFlags & STREAM_PAUSED);
    g_Sound.PauseStream();
    PlayFor(1200);
    // Paused and resumed at once: the fill thread sees the stop after the
    // resume, or before it, and the stream goes on either way.
    g_Sound.PauseStream();
    g_Sound.PauseStream();
    PlayFor(1500);
    g_Sound.PauseStream();
    PlayFor(300);
    // A paused stream stops like a playing one.
    g_Sound.StopStream();
    EXPECT_TRUE(NoStreamLeft());

    // Leaving out the silence of the pauses, the data runs on unbroken.
    std::vector<int16_t> heard = FromFirstSound(Recorded());
    heard.erase(std::remove(heard.begin(), heard.end(), 0), heard.end());
    EXPECT_NEAR(double(heard.size()) / 2, 22050 * (0.73 + 1.2 + 1.5), 22050 * 0.02);
    for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << i;
}

TEST_F(StreamTest, RefusedStreamsLeaveNothingBehind) {
    const std::string data = wav::Chunk("data", std::string(100000, '\x20'));
    // A sampler loop of 5000 frames of 8-bit mono is 10000 bytes by the
    // format's rule: a chunk is 5512, so it plays; 2000 frames do not.
    EXPECT_EQ(LoadStream("short.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Smpl(1, 0, 2000) + data), 1), 0);
    EXPECT_EQ(g_Sound.LoadStream("none.wav", 1), 0);
    EXPECT_EQ(LoadStream("empty.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Chunk("data", "")), 1), 0);
    EXPECT_EQ(LoadStream("fast.wav", wav::Riff(wav::Fmt(2, 400000, 16) + data), 1), 0);
    EXPECT_TRUE(NoStreamLeft() && StreamCopy().dwFlags == 0u);
    // Without a stream nothing answers.
    QVSound::SetStreamVolume(1000);
    EXPECT_EQ(QVSound::GetStreamVolume(), 0);
    EXPECT_EQ(g_Sound.PlayStream(STREAM_LOOP), 1);
    EXPECT_EQ(g_Sound.PauseStream(), 1);
    EXPECT_EQ(g_Sound.StopStream(), 1);

    ASSERT_EQ(LoadStream("long.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Smpl(1, 0, 5000) + data), 1), 1);
    // One stream at a time.
    EXPECT_EQ(LoadStream("other.wav", ByteFile(std::string(9000, '\x90')), 2), 0);
    EXPECT_EQ(QVSound::GetStreamID(), 1u);
}

TEST_F(StreamTest, TheRingIsNoSampleToTheSampleCalls) {
    StartStream("music.wav", StereoFile(Pattern(30000)), 0, STREAM_LOOP);
    // ID 0 is the stream's, yet the sample calls do not see its slot.
    EXPECT_TRUE(g_Sound.FindSampleID(0) == nullptr && g_Sound.PlaySample(0, 65535, 0) == nullptr);
    g_Sound.FreeSample(uint32_t{0});
    QVSound::ClearSampleList();
    EXPECT_EQ(SlotsInUse(), 1);
    PlayFor(2500);
    EXPECT_EQ(StreamCopy().dwFlags & STREAM_PLAYING, STREAM_PLAYING);
    // A sample loaded afterwards takes another slot.
    ASSERT_EQ(Load("effect.wav", wav::Tone(100), 10), 1);
    EXPECT_EQ(SlotsInUse(), 2);
}

TEST_F(StreamTest, TheMusicSwitch) {
    StartStream("music.wav", StereoFile(Pattern(30000)), 9, STREAM_LOOP);
    PlayFor(500);
    // Stopping with music off does nothing.
    g_Sound.m_bMusicEnabled = 0;
    EXPECT_TRUE(g_Sound.StopStream() == 1 && QVSound::GetStreamID() == 9u);
    g_Sound.m_bMusicEnabled = 1;
    // Switching music off tears a playing stream down first.
    g_Sound.EnableMusic(0);
    EXPECT_TRUE(g_Sound.m_bMusicEnabled == 0 && NoStreamLeft());
    EXPECT_EQ(LoadStream("music.wav", StereoFile(Pattern(30000)), 9), 0);
    // On again: nothing restarts by itself, and a load works.
    g_Sound.EnableMusic(1);
    EXPECT_EQ(StreamCopy().dwFlags, 0u);
    EXPECT_EQ(LoadStream("music.wav", StereoFile(Pattern(30000)), 9), 1);
}

TEST_F(StreamTest, ExitEndsStreamsThatWereNeverPlayedOrArePaused) {
    StartStream("a.wav", StereoFile(Pattern(30000)), 1, 0);
    g_Sound.StopStream();
    ASSERT_EQ(LoadStream("a.wav", StereoFile(Pattern(30000)), 1), 1);
    // Loaded, never played: StopStream leaves it, Exit does not.
    g_Sound.StopStream();
    EXPECT_EQ(QVSound::GetStreamID(), 1u);
    g_Sound.Exit();
    EXPECT_EQ(StreamCopy().dwFlags, 0u);

    ASSERT_EQ(g_Sound.Init(TestWindow(), 10), 1);
    StartStream("a.wav", StereoFile(Pattern(30000)), 1, STREAM_LOOP);
    PlayFor(300);
    g_Sound.PauseStream();
    g_Sound.m_bMusicEnabled = 0;  // music off: Exit acts all the same
    g_Sound.Exit();
    EXPECT_EQ(StreamCopy().dwFlags, 0u);
}

TEST_F(StreamTest, FadesTakeTheirTimeOnTheClockAndEndAtTheirVolume) {
    ASSERT_EQ(LoadStream("music.wav", StereoFile(std::vector<int16_t>(2 * 60000, 10000)), 0), 1);
    g_Sound.PlayStream(STREAM_LOOP);
    uint32_t start = plat::TickCount();
    g_Sound.FadeMusic(0, 32768, 300);
    const uint32_t took = plat::TickCount() - start;
    EXPECT_TRUE(took >= 300u && took <= 310u) << took;
    EXPECT_EQ(QVSound::GetStreamVolume(), 32768);
    PlayFor(500);

    start = plat::TickCount();
    g_Sound.FadeMusic(32768, 1000, 0);
    EXPECT_EQ(plat::TickCount(), start);
    EXPECT_EQ(QVSound::GetStreamVolume(), 1000);

    g_Sound.m_nMusicVolume = 65535;
    g_Sound.FadeMusicIn(200);
    EXPECT_EQ(QVSound::GetStreamVolume(), 65535);
    g_Sound.FadeMusicOut(200);
    EXPECT_EQ(QVSound::GetStreamVolume(), 0);
    g_Sound.StopStream();

    // In the recording the first fade rises step by step to -10 dB, never
    // falling on the way.
    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    ASSERT_GT(heard.size(), 22050u * 2 * 3 / 10);
    int16_t previous = 0;
    for (size_t i = 0; i < 22050u * 2 * 3 / 10; i += 2) {
        ASSERT_GE(heard[i], previous) << i;
        previous = heard[i];
    }
    EXPECT_NEAR(heard[22050 * 2 * 6 / 10], 10000 * 0.3162, 3);
}

}  // namespace
