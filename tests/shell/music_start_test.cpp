#include "shell/music_start.h"

#include <sys/inotify.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "../platform/mp3_bytes.h"
#include "../sound/wav_bytes.h"
#include "headless_shell.h"
#include "platform/mci.h"
#include "runtime/message_pump.h"
#include "runtime/shell_state.h"
#include "shell/start_up.h"
#include "sound/qv_sound.h"

namespace {

using Commands = std::vector<std::string>;

// The game runs in Dir()/game, with the shared options file one folder up.
class MusicStart : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        std::filesystem::create_directory("game");
        std::filesystem::current_path("game");
        plat::ClearMciCommandLog();
    }
};

TEST_F(MusicStart, AnMp3WinsAndLoopsThroughTheNotifyMessage) {
    Dir().Write("game/sounds/music.mp3", "not really an mp3");
    Dir().Write("game/sounds/music.wav", "RIFF");
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_EQ(plat::MciCommandLog(),
              (Commands{"open .\\sounds\\music.mp3 alias music", "play music notify"}));

    plat::ClearMciCommandLog();
    plat::SendMessage(g_Shell.window, plat::MM_MCINOTIFY, 1, 0);
    plat::SendMessage(g_Shell.window, plat::WM_ACTIVATE, plat::WA_INACTIVE, 0);
    plat::SendMessage(g_Shell.window, plat::WM_ACTIVATE, plat::WA_ACTIVE, 0);
    EXPECT_EQ(plat::MciCommandLog(),
              (Commands{"close music", "open .\\sounds\\music.mp3 alias music", "play music notify",
                        "pause music", "resume music"}));
}

TEST_F(MusicStart, TheLaunchersWindowComesUpWithoutMusic) {
    Dir().Write("game/sounds/music.mp3", "not really an mp3");
    ASSERT_TRUE(OpenProgramWindow(nullptr, 0));
    EXPECT_EQ(plat::MciCommandLog(), Commands{});
}

bool LogHas(const std::string& command) {
    const Commands& log = plat::MciCommandLog();
    return std::find(log.begin(), log.end(), command) != log.end();
}

TEST_F(MusicStart, AnMp3PlaysToItsEndAndStartsAgain) {
    Dir().Write("game/sounds/music.mp3", SilentMp3(20));  // about half a second
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_EQ(plat::MciSendString("pause music", nullptr), 0);
    EXPECT_EQ(plat::MciSendString("resume music", nullptr), 0);
    PumpMessages();  // the window's activation resumes the music too
    plat::ClearMciCommandLog();
    plat::HeadlessClock().Advance(300);
    PumpMessages();
    EXPECT_FALSE(LogHas("close music"));  // still playing

    // The end is noticed on the player's own thread; give it real time.
    plat::HeadlessClock().Advance(1000);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!LogHas("close music") && std::chrono::steady_clock::now() < giveUp) {
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(plat::MciCommandLog(),
              (Commands{"close music", "open .\\sounds\\music.mp3 alias music", "play music notify"}));
}

// 16-bit stereo at 22050 Hz, four seconds of one value.
std::string MusicWav() {
    return wav::Riff(wav::Fmt(2, 22050, 16) + wav::Chunk("data", wav::ConstantPcm16(22050 * 4 * 2, 0x1000)));
}

TEST_F(MusicStart, WithoutAnMp3TheWavStreamsLoopingAfterAFadeInUntilShutdown) {
    Dir().Write("game/sounds/music.wav", MusicWav());
    const uint32_t before = plat::HeadlessClock().Now();
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_TRUE(plat::MciCommandLog().empty());
    EXPECT_GE(plat::HeadlessClock().Now() - before, 300u);  // the fade-in took its time
    const _SNDStream* stream = QVSound::GetStreamInfoPtr();
    EXPECT_EQ(stream->dwFlags & (STREAM_LOADED | STREAM_PLAYING | STREAM_LOOP),
              STREAM_LOADED | STREAM_PLAYING | STREAM_LOOP);
    EXPECT_EQ(QVSound::GetStreamID(), 0u);
    EXPECT_EQ(QVSound::GetStreamVolume(), g_Sound.m_nMusicVolume);  // faded in to the music level
    plat::DestroyWindow(g_Shell.window);  // the shutdown sequence
    EXPECT_EQ(stream->dwFlags, 0u);
}

TEST_F(MusicStart, WithMusicOffNoMusicFileIsOpened) {
    Dir().Write("options.ini", "[setup]\nmusic=y\n");  // only an upper-case Y is on
    Dir().Write("game/sounds/music.mp3", SilentMp3(100));
    Dir().Write("game/sounds/music.wav", MusicWav());
    // The folder reports every file opened in it.
    const int watcher = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(inotify_add_watch(watcher, "sounds", IN_OPEN), 0);
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    alignas(inotify_event) char events[4096];
    EXPECT_LE(read(watcher, events, sizeof events), 0);
    close(watcher);
    EXPECT_TRUE(plat::MciCommandLog().empty() && QVSound::GetStreamID() == 0u && g_Sound.m_bMusicEnabled == 0);
    plat::DestroyWindow(g_Shell.window);
}

}  // namespace
