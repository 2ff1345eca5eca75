#include "shell/window_config.h"

#include <filesystem>

#include "headless_shell.h"
#include "platform/profile.h"
#include "platform/window.h"
#include "platform/window_registry.h"
#include "runtime/shell_state.h"

namespace {

class WindowConfig : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        SetDisplayTitle("Reef Hoard");
        ASSERT_TRUE(RegisterWindowClass(nullptr));
    }
    plat::WindowInfo Create() {
        EXPECT_TRUE(CreateMainWindow(nullptr, 0));
        return plat::DescribeWindow(g_Shell.window);
    }
};

TEST_F(WindowConfig, WithoutSetupFileAWindowOf800By600IsCentred) {
    plat::HeadlessDisplay().SetScreen(1921, 1081, 32);
    plat::WindowInfo w = Create();
    EXPECT_EQ(w.title, "Reef Hoard");
    EXPECT_EQ(w.x, 560);
    EXPECT_EQ(w.y, 240);
    EXPECT_EQ(w.width, 800);
    EXPECT_EQ(w.height, 600);
    EXPECT_TRUE(w.visible);
    EXPECT_FALSE(w.topmost);
    EXPECT_TRUE(w.style & plat::WS_CAPTION);
    EXPECT_TRUE(w.style & plat::WS_MAXIMIZEBOX);
    EXPECT_EQ(g_Shell.clientWidth, 800);
    EXPECT_EQ(g_Shell.clientHeight, 600);
}

TEST_F(WindowConfig, SizeAloneDoesNotRecentreAndMinusOneKeepsDefaults) {
    Dir().Write("setup.ini", "[setup]\nw=1024\nh=-1\ny=7\n");
    plat::WindowInfo w = Create();
    EXPECT_EQ(w.x, 560);
    EXPECT_EQ(w.y, 7);
    EXPECT_EQ(w.width, 1024);
    EXPECT_EQ(w.height, 600);
}

TEST_F(WindowConfig, FullScreenWindowIsAlways800By600) {
    Dir().Write("setup.ini", "[setup]\nw=1024\nh=768\n");
    g_Shell.fullscreen = true;
    plat::WindowInfo w = Create();
    EXPECT_EQ(w.width, 800);
    EXPECT_EQ(w.height, 600);
    EXPECT_TRUE(w.style & plat::WS_POPUP);
    EXPECT_EQ(g_Shell.windowW, 1024);
}

TEST_F(WindowConfig, OnlyNowindowOneMakesABorderlessWindow) {
    Dir().Write("setup.ini", "[setup]\nnowindow=2\n");
    EXPECT_TRUE(Create().style & plat::WS_CAPTION);
    plat::DestroyWindow(g_Shell.window);

    // Borderless wins over full screen, and keeps the size read.
    Dir().Write("setup.ini", "[setup]\nnowindow=1\nfullscreen=1\nw=640\nontop=3\n");
    g_Shell.fullscreen = true;
    plat::WindowInfo w = Create();
    EXPECT_EQ(w.style, plat::WS_POPUP | plat::WS_VISIBLE);
    EXPECT_EQ(w.title, "");
    EXPECT_EQ(w.width, 640);
    EXPECT_TRUE(w.topmost);
}

TEST_F(WindowConfig, MusicAndEffectsNeedAnUpperCaseY) {
    std::filesystem::create_directory("game");
    std::filesystem::current_path("game");
    EXPECT_TRUE(ReadOptionSwitch("music"));  // no options file: on
    Dir().Write("options.ini", "[setup]\nmusic=y\nSFX=Yes\n");
    EXPECT_FALSE(ReadOptionSwitch("music"));
    EXPECT_TRUE(ReadOptionSwitch("SFX"));
}

TEST_F(WindowConfig, SizesBeyondTheScreenAreClampedAndThePictureStaysThePictureSize) {
    plat::HeadlessDisplay().SetScreen(1920, 1080, 32);
    Dir().Write("setup.ini", "[setup]\nw=40000\nh=0\n");
    plat::WindowInfo w = Create();
    EXPECT_EQ(w.width, 1920);
    EXPECT_EQ(w.height, 150);
    EXPECT_EQ(g_Shell.clientWidth, 800);
    EXPECT_EQ(g_Shell.clientHeight, 600);
}

TEST_F(WindowConfig, AWindowThePlayerMovedIsRememberedAndAnUntouchedOneWritesNothing) {
    Create();
    SaveWindowSettings();
    EXPECT_FALSE(std::filesystem::exists("setup.ini"));
    // What a player's move, resize and Alt+Enter leave in the window record.
    plat::SetWindowTopmost(g_Shell.window, 30, 40, 1000, 750);
    SaveWindowSettings();
    char value[16];
    auto read = [&](const char* key) {
        plat::GetProfileString("setup", key, "", value, sizeof value, ".\\setup.ini");
        return std::string(value);
    };
    EXPECT_EQ(read("x") + " " + read("y") + " " + read("w") + " " + read("h"), "30 40 1000 750");
    EXPECT_EQ(read("fullscreen"), "");
    plat::WindowRegistry::WithWindow(g_Shell.window, [](plat::Window& w) {
        w.fullscreen = true;
        w.width = 1920;
    });
    SaveWindowSettings();
    EXPECT_EQ(read("fullscreen") + " " + read("w"), "1 1000");
}

TEST_F(WindowConfig, FailedCreationReportsFalse) {
    plat::HeadlessDisplay().SetWindowCreationFails(true);
    EXPECT_FALSE(CreateMainWindow(nullptr, 0));
    EXPECT_EQ(g_Shell.window, nullptr);
}

}  // namespace
