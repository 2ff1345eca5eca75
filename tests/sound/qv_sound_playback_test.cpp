#include <tuple>
#include <utility>

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
    EXPECT_EQ(std::make_tuple(QVSound::g_VolumeTable[32], QVSound::g_VolumeTable[16372], QVSound::g_VolumeTable[16373]),
              std::make_tuple(-9000, -1, 0));
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
        EXPECT_TRUE(s->SamplePlaying() && !(s->m_nFlags & SND_RESERVED));
    }
    EXPECT_EQ(SlotsInUse(), 3);

    // A lookup stops at the slot it finds, so the other sound lies above the
    // duplicates.
    ASSERT_EQ(Load("b.wav", wav::Tone(2205), 2), 1);
    AdvanceAudio(300);
    EXPECT_FALSE(first->SamplePlaying());
    SNDSample* other = g_Sound.FindSample(2);  // collects both idle duplicates
    EXPECT_TRUE(other == g_Sound.FindSampleID(2) && SlotsInUse() == 2);
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
    EXPECT_EQ(g_Sound.PlaySampleIDOnce(1, 65535, 0), 1);
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

    EXPECT_EQ(first->UnPauseSample(), 0);  // never paused
    first->PlaySample(65535, 0);
    AdvanceAudio(100);
    EXPECT_EQ(g_Sound.PauseSample(1), first);
    EXPECT_TRUE(first->m_nFlags & SND_PAUSED);
    EXPECT_GT(first->m_nSavedPos, 0);
    EXPECT_TRUE(dupe->SamplePlaying());
    EXPECT_EQ(first->UnPauseSample(), 1);
    EXPECT_TRUE(first->SamplePlaying());
    EXPECT_FALSE(first->m_nFlags & SND_PAUSED);
    first->m_lpBuffer->GetCurrentPosition(&position, nullptr);
    EXPECT_GE(position, uint32_t(first->m_nSavedPos));

    EXPECT_TRUE(!g_Sound.StopSample(99) && !g_Sound.PauseSample(99) && !g_Sound.PlaySample(99, 65535, 0));
    EXPECT_EQ(g_Sound.PlaySampleIDOnce(99, 65535, 0), 0);
}

TEST_F(PlaybackTest, OncePlayingNeverOverlapsAndVolumeIsHonouredWhilePanAndPitchAreRefused) {
    ASSERT_EQ(Load("a.wav", wav::Tone(22050), 1), 1);
    EXPECT_EQ(g_Sound.PlaySampleIDOnce(1, 65535, 0), 1);
    EXPECT_EQ(g_Sound.PlaySampleIDOnce(1, 65535, 0), 0);
    EXPECT_EQ(SlotsInUse(), 1);
    SNDSample* s = g_Sound.FindSampleID(1);
    EXPECT_EQ(s->SetVolume(32768), 1);
    int32_t volume = 0;
    s->m_lpBuffer->GetVolume(&volume);
    EXPECT_EQ(volume, -1000);
    EXPECT_TRUE(s->SetPan(0) == 0 && s->SetPitch(44100) == 0);
}

class ChainTest : public SoundTest {
protected:
    int Slots() const override { return 4; }  // event entries 1..4
    void SetUp() override {
        SoundTest::SetUp();
        for (uint32_t id = 1; id <= 3; ++id) {
            ASSERT_EQ(Load("s.wav", wav::Tone(2205), id), 1);  // 100 ms each
            samples_[id - 1] = g_Sound.FindSampleID(id);
        }
        SNDSample::ChainSample(samples_[0], samples_[1]);
        EXPECT_EQ(SNDSample::ChainSample(samples_[0], samples_[2]), samples_[0]);
    }
    SNDSample* samples_[3] = {};
};

TEST_F(ChainTest, AChainPlaysInOrderEndedOrStoppedWithTheFirstOnesVolumeAndPan) {
    EXPECT_EQ(samples_[1]->m_pNext, samples_[2]);
    ASSERT_EQ(samples_[0]->PlaySample(40000, 20000), 1);
    EXPECT_TRUE(samples_[0]->m_nFlags & SND_EVENTARMED);
    EXPECT_FALSE(samples_[1]->SamplePlaying());

    ASSERT_TRUE(AdvanceAudioUntil([&] { return samples_[0]->SamplePlaying() == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return samples_[1]->SamplePlaying() != 0; }));
    EXPECT_FALSE(samples_[2]->SamplePlaying());
    EXPECT_EQ(std::make_pair(samples_[1]->m_nVolume, samples_[1]->m_nPan), std::make_pair(40000, 20000));

    samples_[1]->StopSample();  // stopped, not only ended, it starts its successor
    ASSERT_TRUE(WaitUntil([&] { return samples_[2]->SamplePlaying() != 0; }));
    EXPECT_EQ(std::make_pair(samples_[2]->m_nVolume, samples_[2]->m_nPan), std::make_pair(40000, 20000));
    EXPECT_FALSE(samples_[1]->m_nFlags & SND_EVENTARMED);
}

TEST_F(ChainTest, WithEveryEventEntryLentTheFirstPlaysAlone) {
    // Lent to a sample that is never signalled.
    for (int i = 1; i < QVSound::g_nMaxEventCount; ++i) QVSound::g_EventList[i].pSample = samples_[2];
    ASSERT_EQ(samples_[0]->PlaySample(65535, 0), 1);
    EXPECT_FALSE(samples_[0]->m_nFlags & SND_EVENTARMED);
    for (int i = 1; i < QVSound::g_nMaxEventCount; ++i) QVSound::g_EventList[i].pSample = nullptr;

    // The first ends without starting its successor. To know that the thread
    // has seen every earlier signal, a later chain (2 then a fourth sample)
    // must run first.
    AdvanceAudio(150);
    ASSERT_EQ(Load("d.wav", wav::Tone(2205), 4), 1);
    SNDSample* fourth = g_Sound.FindSampleID(4);
    SNDSample::ChainSample(samples_[2], fourth);
    ASSERT_EQ(samples_[2]->PlaySample(65535, 0), 1);
    g_Sound.StopSample(3);
    ASSERT_TRUE(WaitUntil([&] { return fourth->SamplePlaying() != 0; }));
    EXPECT_FALSE(samples_[1]->SamplePlaying());
}

TEST_F(ChainTest, AnEndedChainNoLongerSignalsTheEntryItUsed) {
    // The first playing of 1 lends entry 1 and gives it back when 1 ends.
    ASSERT_EQ(samples_[1]->PlaySample(65535, 0), 1);
    ASSERT_TRUE(AdvanceAudioUntil([&] { return samples_[1]->SamplePlaying() == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return samples_[2]->SamplePlaying() != 0; }));
    g_Sound.StopSample(3);
    ASSERT_EQ(QVSound::AllocSoundEvent(), &QVSound::g_EventList[1]);

    // Entry 1 now goes to sample 0, whose successor is 1.
    ASSERT_EQ(samples_[0]->PlaySample(65535, 0), 1);
    ASSERT_EQ(QVSound::g_EventList[1].pSample, samples_[0]);
    // Sample 1, played again without arming and stopped, must not signal entry 1.
    ASSERT_EQ(g_Sound.PlaySampleIDOnce(2, 65535, 0), 1);
    g_Sound.StopSample(2);
    // A signal the thread must handle after any signal of entry 1.
    samples_[2]->m_pNext = samples_[1];
    ASSERT_EQ(samples_[2]->PlaySample(65535, 0), 1);
    g_Sound.StopSample(3);
    ASSERT_TRUE(WaitUntil([&] { return samples_[1]->SamplePlaying() != 0; }));
    EXPECT_EQ(QVSound::g_EventList[1].pSample, samples_[0]);
    EXPECT_TRUE(samples_[0]->SamplePlaying());
}

}  // namespace
