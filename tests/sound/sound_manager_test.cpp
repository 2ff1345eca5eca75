#include "sound/sound_manager.h"

#include <utility>
#include <vector>

#include "sound_fixture.h"

namespace {

const std::vector<std::pair<const char*, const char*>> kGameSounds = {
    {"sounds\\search01.wav", "search"}, {"sounds\\02.wav", "1treasure"},
    {"sounds\\03.wav", "2treasure"},    {"sounds\\04.wav", "3treasure"},
    {"sounds\\05.wav", "4treasure"},    {"sounds\\06.wav", "5treasure"},
    {"sounds\\09.wav", "advance"},      {"sounds\\11.wav", "negative"},
    {"sounds\\13.wav", "gameover"},     {"sounds\\12.wav", "win"},
    {"sounds\\endlevel.wav", "newgame"}};

// Start-up goes on when no sound device opens: the music it then asks for is
// refused, not read through file hooks that only a started library installs.
TEST(SoundWithoutADevice, TheMusicIsRefused) {
    plat::UseBackend(plat::Backend::Headless);
    TempDir dir;
    dir.Write("music.wav", wav::Tone(22050));
    g_Sound.EnableMusic(1);
    EXPECT_EQ(g_Sound.LoadStream("music.wav", 0), 0);
}

class SoundManagerTest : public testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        for (const auto& [path, name] : kGameSounds) {
            std::string file = path;
            file.replace(file.find('\\'), 1, "/");
            dir_.Write(file, wav::Tone(2205));
        }
        g_SoundManager.Init(TestWindow(), 200);
    }
    void TearDown() override {
        g_SoundManager.Exit();
        EXPECT_TRUE(g_SoundManager.soundList == nullptr && QVSound::g_lpDSound == nullptr);
    }
    void LoadGameSounds() {
        for (const auto& [path, name] : kGameSounds) g_SoundManager.Load(path, name);
    }
    TempDir dir_;
};

TEST_F(SoundManagerTest, GameSoundsGetIds10To20AndStartAgainAt10AfterFreeAll) {
    LoadGameSounds();
    uint32_t id = 10;
    for (const auto& [path, name] : kGameSounds) {
        SoundEntry* entry = g_SoundManager.Find(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->id, id++);
        EXPECT_NE(g_Sound.FindSampleID(entry->id), nullptr);
    }
    g_SoundManager.FreeAll();
    EXPECT_TRUE(g_SoundManager.soundList->Count() == 0 && SlotsInUse() == 0);
    SoundEntry* search = g_SoundManager.Load("sounds\\search01.wav", "search");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->id, 10u);
}

TEST_F(SoundManagerTest, NamesAreExactCutTo31AndTheFirstOfTwoEqualOnesWins) {
    // A file that does not load adds no entry, and the next load takes its ID.
    EXPECT_EQ(g_SoundManager.Load("sounds\\missing.wav", "missing"), nullptr);
    EXPECT_EQ(g_SoundManager.Find("missing"), nullptr);
    SoundEntry* first = g_SoundManager.Load("sounds\\02.wav", "dup");
    EXPECT_EQ(first->id, 10u);
    SoundEntry* second = g_SoundManager.Load("sounds\\03.wav", "dup");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(g_SoundManager.Find("dup") == first && g_SoundManager.Find("Dup") == nullptr);
    g_SoundManager.Play("dup", 65535, 0);
    EXPECT_TRUE(g_Sound.FindSampleID(first->id)->SamplePlaying());
    EXPECT_FALSE(g_Sound.FindSampleID(second->id)->SamplePlaying());

    const std::string name40(40, 'm');
    SoundEntry* entry = g_SoundManager.Load("sounds\\03.wav", name40.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::string(entry->name), name40.substr(0, 31));
    EXPECT_EQ(g_SoundManager.Find(name40.substr(0, 31).c_str()), entry);
    EXPECT_EQ(g_SoundManager.PlayIndex(3, 65535, 0), nullptr);  // three entries
}

TEST_F(SoundManagerTest, FreeAllStopsAndFreesPlayingDuplicatesToo) {
    LoadGameSounds();
    for (int i = 0; i < 2; ++i) g_SoundManager.Play("search", 65535, 0);
    g_SoundManager.EnableSFX(0);
    g_SoundManager.Play("win", 65535, 0);
    EXPECT_EQ(SlotsInUse(), 12);
    g_SoundManager.FreeAll();
    EXPECT_EQ(std::make_pair(SlotsInUse(), g_Sound.m_bSFXEnabled), std::make_pair(0, 0));
}

// After a Free the next load gets an ID no sound holds, nor a duplicate of the freed one.
TEST_F(SoundManagerTest, AfterAFreeANewLoadGetsAnUnusedIdAndNoOldDuplicate) {
    LoadGameSounds();
    g_SoundManager.Free("search");  // count falls to 10, and "newgame" holds 20
    SoundEntry* again = g_SoundManager.Load("sounds\\search01.wav", "search");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->id, 21u);

    dir_.Write("other.wav", wav::Tone(500, 1234));
    g_SoundManager.Play("newgame", 65535, 0);
    g_SoundManager.Play("newgame", 65535, 0);  // a duplicate slot with ID 20
    g_SoundManager.Free("newgame");            // the count falls back to 10: the next ID is 20
    SoundEntry* other = g_SoundManager.Load("other.wav", "other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->id, 20u);
    int slots = 0;
    for (SNDSample* s = QVSound::g_SampleList; s < QVSound::g_pLastSample; ++s) {
        if (!(s->m_nFlags & SND_INUSE) || s->m_nID != 20) continue;
        ++slots;
        EXPECT_EQ(s->m_nDataBytes, 1000u);  // other.wav, not endlevel.wav
    }
    EXPECT_EQ(slots, 1);
}

TEST_F(SoundManagerTest, FreeAllReturnsWithThePlayingMusicTornDown) {
    dir_.Write("music.wav", wav::Tone(60000));
    ASSERT_EQ(g_Sound.LoadStream("music.wav", 0), 1);
    g_Sound.PlayStream(STREAM_LOOP);
    AdvanceAudio(600);
    LoadGameSounds();
    g_SoundManager.FreeAll();
    EXPECT_TRUE(QVSound::GetStreamInfoPtr()->dwFlags == 0u && !QVSound::g_FillThread && SlotsInUse() == 0);
}

}  // namespace
