#include <gtest/gtest.h>

#include <vector>

#include "sound_fixture.h"

namespace {

class PlaybackTest : public SoundTest {};

TEST(QVSoundCurves, VolumeAndPanMapToHundredthsOfADecibel) {
    const std::pair<int, int> volumes[] = {{-5, -10000}, {67, -10000}, {68, -9912}, {16384, -2000},
                                           {32768, -1000}, {65535, 0}, {70000, 0}};
    for (auto [in, out] : volumes) EXPECT_EQ(QVSound::MapVolume(in), out) << in;
    const std::pair<int, int> pans[] = {{-1, 10000},  {1, 10000},      {16384, 1000},   {32767, 0},
                                        {32768, 0},   {49152, -1000},  {65535, -10000}, {65536, -10000}};
    for (auto [in, out] : pans) EXPECT_EQ(QVSound::MapPan(in), out) << in;
    // The table truncates toward zero.
    EXPECT_EQ(QVSound::g_VolumeTable[32], -9000);
    EXPECT_EQ(QVSound::g_VolumeTable[16372], -1);
    EXPECT_EQ(QVSound::g_VolumeTable[16373], 0);
}

TEST_F(PlaybackTest, ABusySoundOverlapsItselfAndIdleDuplicatesAreCollected) {
    ASSERT_EQ(Load("a.wav", wav::Tone(2205), 1), 1);  // 100 ms
    SNDSample* first = g_Sound.PlaySample(1, 65535, 0);
    SNDSample* second = g_Sound.PlaySample(1, 65535, 0);
    SNDSample* third = g_Sound.PlaySample(1, 65535, 0);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first, g_Sound.FindSampleID(1));
    EXPECT_TRUE((second->m_nFlags & SND_DUPE) && (third->m_nFlags & SND_DUPE) && second != third);
    for (SNDSample* s : {first, second, third}) {
        EXPECT_TRUE(s->SamplePlaying());
        EXPECT_FALSE(s->m_nFlags & SND_RESERVED);
    }
    EXPECT_EQ(SlotsInUse(), 3);

    // A lookup stops at the slot it finds, so the other sound lies above the
    // duplicates.
    ASSERT_EQ(Load("b.wav", wav::Tone(2205), 2), 1);
    AdvanceAudio(300);
    EXPECT_FALSE(first->SamplePlaying());
    SNDSample* other = g_Sound.FindSample(2);  // collects both idle duplicates
    EXPECT_EQ(other, g_Sound.FindSampleID(2));
    EXPECT_EQ(SlotsInUse(), 2);
    // The loaded slot, idle again, is what the next playing of 1 gets.
    EXPECT_EQ(g_Sound.PlaySample(1, 65535, 0), first);
}

TEST_F(PlaybackTest, WithEffectsOffNothingSoundsNothingIsDuplicatedOrReserved) {
    ASSERT_EQ(Load("a.wav", wav::Tone(2205), 1), 1);
    g_Sound.EnableSFX(0);
    for (int i = 0; i < 100; ++i) EXPECT_NE(g_Sound.PlaySample(1, 65535, 0), nullptr);
    EXPECT_EQ(SlotsInUse(), 1);
    SNDSample* s = g_Sound.FindSampleID(1);
    EXPECT_FALSE(s->m_nFlags & SND_RESERVED);
    EXPECT_FALSE(s->SamplePlaying());
}

TEST_F(PlaybackTest, StopAndPauseActOnTheFirstSlotOnly) {
    ASSERT_EQ(Load("a.wav", wav::Tone(22050), 1), 1);
    SNDSample* first = g_Sound.PlaySample(1, 65535, 0);
    SNDSample* dupe = g_Sound.PlaySample(1, 65535, 0);
    AdvanceAudio(100);
    EXPECT_EQ(g_Sound.StopSample(1), first);
    EXPECT_FALSE(first->SamplePlaying());
    EXPECT_TRUE(dupe->SamplePlaying());
    uint32_t position = 1;
    first->m_lpBuffer->GetCurrentPosition(&position, nullptr);
    EXPECT_EQ(position, 0u);

    first->PlaySample(65535, 0);
    AdvanceAudio(100);
    EXPECT_EQ(g_Sound.PauseSample(1), first);
    EXPECT_TRUE(first->m_nFlags & SND_PAUSED);
    EXPECT_GT(first->m_nSavedPos, 0);
    EXPECT_TRUE(dupe->SamplePlaying());

    EXPECT_EQ(g_Sound.StopSample(99), nullptr);
    EXPECT_EQ(g_Sound.PauseSample(99), nullptr);
    EXPECT_EQ(g_Sound.PlaySample(99, 65535, 0), nullptr);
}

}  // namespace
