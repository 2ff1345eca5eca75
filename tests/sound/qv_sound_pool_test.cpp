#include <tuple>

#include "sound_fixture.h"

namespace {

class PoolTest : public SoundTest {};

class SmallPoolTest : public SoundTest {
protected:
    int Slots() const override { return 3; }
};

TEST(QVSoundInit, EventEntriesAreSlotsPlusOneCappedAt64AndExitOrARefusedStartUndoesEverything) {
    TempDir dir;
    plat::UseBackend(plat::Backend::Headless);
    ASSERT_EQ(g_Sound.Init(TestWindow(), 200), 1);
    EXPECT_TRUE(QVSound::g_nMaxEventCount == 64 && QVSound::g_pEndSample - QVSound::g_SampleList == 200);
    g_Sound.Exit();
    EXPECT_TRUE(QVSound::g_SampleList == nullptr && QVSound::g_lpDSound == nullptr && !QVSound::g_CallBackThread);
    EXPECT_TRUE(QVSound::AllocSample() == nullptr && g_Sound.FindSampleID(10) == nullptr);
    EXPECT_EQ(g_Sound.LoadSample("x.wav", 10), 0);

    // A refused cooperative level gives the device and the pool back.
    EXPECT_EQ(g_Sound.Init(nullptr, 10), 0);
    EXPECT_TRUE(QVSound::g_lpDSound == nullptr && QVSound::g_SampleList == nullptr);
    ASSERT_EQ(g_Sound.Init(TestWindow(), 10), 1);
    EXPECT_EQ(QVSound::g_nMaxEventCount, 11);
    g_Sound.Exit();
}

TEST_F(PoolTest, ASecondInitIsRefusedAndChangesNothing) {
    ASSERT_EQ(Load("a.wav", wav::Tone(100), 7), 1);
    plat::SoundDevice* device = QVSound::g_lpDSound;
    SNDSample* table = QVSound::g_SampleList;
    const uint32_t thread = QVSound::g_CallBackThread.Id();
    g_Sound.m_nMusicVolume = 1234;
    EXPECT_EQ(g_Sound.Init(TestWindow(), 10), 0);
    EXPECT_TRUE(QVSound::g_lpDSound == device && QVSound::g_SampleList == table);
    EXPECT_EQ(std::make_tuple(QVSound::g_CallBackThread.Id(), QVSound::g_nMaxSampleCount, g_Sound.m_nMusicVolume),
              std::make_tuple(thread, 200, 1234));
    EXPECT_NE(g_Sound.FindSampleID(7), nullptr);
}

TEST_F(SmallPoolTest, AnIdIsLoadedOnceAndAFullTableRefusesAndStaysAsItWas) {
    for (uint32_t id = 1; id <= 3; ++id) ASSERT_EQ(Load("a.wav", wav::Tone(100), id), 1);
    EXPECT_EQ(Load("b.wav", wav::Tone(200), 3), 1);  // reloaded in its own slot
    EXPECT_EQ(g_Sound.FindSampleID(3)->m_nDataBytes, 200u);
    EXPECT_EQ(Load("a.wav", wav::Tone(100), 4), 0);
    EXPECT_EQ(SlotsInUse(), 3);
    for (uint32_t id = 1; id <= 3; ++id) EXPECT_EQ(QVSound::g_SampleList[id - 1].m_nID, id);
    EXPECT_EQ(QVSound::AllocSample(), nullptr);
}

TEST_F(PoolTest, FreeingALowSlotKeepsHigherSlotsFindableAndReusesTheLowOne) {
    for (uint32_t id = 1; id <= 3; ++id) ASSERT_EQ(Load("a.wav", wav::Tone(100), id), 1);
    g_Sound.FreeSample(1);
    g_Sound.FreeSample(99);       // not loaded: nothing happens
    g_Sound.FreeSample(nullptr);  // nothing happens
    EXPECT_EQ(g_Sound.FindSampleID(1), nullptr);
    EXPECT_EQ(g_Sound.FindSampleID(3), &QVSound::g_SampleList[2]);
    EXPECT_EQ(QVSound::g_pLastSample, QVSound::g_SampleList + 3);
    g_Sound.FreeSample(2);
    EXPECT_EQ(g_Sound.FindSampleID(3), &QVSound::g_SampleList[2]);
    ASSERT_EQ(Load("a.wav", wav::Tone(100), 4), 1);
    EXPECT_EQ(g_Sound.FindSampleID(4), &QVSound::g_SampleList[0]);
}

TEST_F(PoolTest, FlushSamplesFreesOnlyFinishedDuplicates) {
    ASSERT_EQ(Load("short.wav", wav::Tone(441), 1), 1);    // 20 ms
    ASSERT_EQ(Load("long.wav", wav::Tone(22050), 2), 1);   // 1 s
    for (int i = 0; i < 2; ++i) g_Sound.PlaySample(1, 65535, 0);
    for (int i = 0; i < 2; ++i) g_Sound.PlaySample(2, 65535, 0);
    ASSERT_EQ(SlotsInUse(), 4);
    AdvanceAudio(200);  // the short sound and its duplicate have finished
    g_Sound.FlushSamples();
    EXPECT_EQ(SlotsInUse(), 3);
    EXPECT_NE(g_Sound.FindSampleID(1), nullptr);
    int playingDupes = 0;
    for (SNDSample* s = QVSound::g_SampleList; s < QVSound::g_pLastSample; ++s) {
        if ((s->m_nFlags & SND_DUPE) && s->SamplePlaying()) ++playingDupes;
    }
    EXPECT_EQ(playingDupes, 1);
}

TEST_F(PoolTest, FileHooksAreUsedAndNullRestoresTheDefault) {
    EXPECT_EQ(QVSound::g_pOpenFile("no such file.wav"), plat::InvalidFileHandle());
    static int opens = 0;
    opens = 0;
    QVSound::SetFileOpenFunc([](const char* path) { return ++opens, plat::OpenFileForReading(path); });
    ASSERT_EQ(Load("a.wav", wav::Tone(100), 1), 1);
    EXPECT_EQ(opens, 1);
    QVSound::SetFileOpenFunc(nullptr);
    ASSERT_EQ(Load("b.wav", wav::Tone(100), 2), 1);
    EXPECT_EQ(opens, 1);
}

}  // namespace
