#include "shell/music_start.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "headless_shell.h"
#include "platform/mci.h"
#include "shell/main_loop.h"
#include "shell/shell_state.h"
#include "shell/start_up.h"

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

// A silent MPEG-1 layer III file: frames of 417 bytes (128 kbit/s, 44.1 kHz,
// mono) whose side information and data are all zero.
std::string SilentMp3(int frames) {
    std::string frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\xC0';
    std::string file;
    for (int i = 0; i < frames; ++i) file += frame;
    return file;
}

bool LogHas(const std::string& command) {
    for (const std::string& sent : plat::MciCommandLog()) {
        if (sent == command) return true;
    }
    return false;
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

TEST_F(MusicStart, MusicOffOpensNothing) {
    Dir().Write("options.ini", "[setup]\nmusic=y\n");
    Dir().Write("game/sounds/music.mp3", "x");
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_TRUE(plat::MciCommandLog().empty());
}

}  // namespace
