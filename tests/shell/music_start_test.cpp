#include "shell/music_start.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "headless_shell.h"
#include "platform/mci.h"
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

TEST_F(MusicStart, MusicOffOpensNothing) {
    Dir().Write("options.ini", "[setup]\nmusic=y\n");
    Dir().Write("game/sounds/music.mp3", "x");
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_TRUE(plat::MciCommandLog().empty());
}

}  // namespace
