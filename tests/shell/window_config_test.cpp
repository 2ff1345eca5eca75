#include "shell/window_config.h"

#include <tuple>

#include "headless_shell.h"
#include "platform/profile.h"
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
    // A value of section "setup" in setup.ini; empty when there is none.
    static std::string Saved(const char* key) {
        char value[16];
        plat::GetProfileString("setup", key, "", value, sizeof value, ".\\setup.ini");
        return value;
    }
};

TEST_F(WindowConfig, WindowsAreCentredSizedAndClampedByTheSetupFile) {
    // Each row: setup file, then the window's x, y, width and height.
    struct Case { const char* setup; int x, y, w, h; };
    const Case cases[] = {
        {"", 560, 240, 800, 600},                               // none: 800 by 600, centred
        {"[setup]\nnowindow=2\n", 560, 240, 800, 600},         // only nowindow=1 is borderless
        {"[setup]\nw=1024\nh=-1\ny=7\n", 560, 7, 1024, 600},  // size alone does not recentre
        {"[setup]\nw=40000\nh=0\n", 560, 240, 1921, 150},      // clamped to the screen
        // A place that leaves no 100 pixels of the caption on a display is
        // moved back onto the primary one.
        {"[setup]\nx=-99999999\ny=-99999999\n", -700, 0, 800, 600},
        {"[setup]\nx=99999999999\ny=99999999999\n", 1821, 981, 800, 600},
        {"[setup]\nx=-700\ny=981\n", -700, 981, 800, 600},
        {"[setup]\nx=-701\ny=982\n", -700, 981, 800, 600},
        {"[setup]\nx=2500\ny=1100\n", 2500, 1100, 800, 600},  // on the second display
    };
    plat::HeadlessDisplay().SetScreen(1921, 1081, 32);  // odd: halves truncate
    plat::HeadlessDisplay().AddDisplay({1921, -100, 1280, 1300});
    for (const Case& c : cases) {
        Dir().Write("setup.ini", c.setup);
        const plat::WindowInfo w = Create();
        EXPECT_EQ(std::vector<int>({w.x, w.y, w.width, w.height}), std::vector<int>({c.x, c.y, c.w, c.h})) << c.setup;
        EXPECT_TRUE(w.style & plat::WS_CAPTION);
        // The picture stays the picture's size.
        EXPECT_EQ(std::make_pair(g_Shell.clientWidth, g_Shell.clientHeight), std::make_pair(800, 600));
        plat::DestroyWindow(g_Shell.window);
    }
}

TEST_F(WindowConfig, FullScreenIs800By600AndABorderlessWindowKeepsTheSizeRead) {
    g_Shell.fullscreen = true;
    Dir().Write("setup.ini", "[setup]\nw=1024\nh=768\n");
    plat::WindowInfo w = Create();
    EXPECT_EQ(std::make_tuple(w.width, w.height, g_Shell.windowW), std::make_tuple(800, 600, 1024));
    EXPECT_TRUE(w.style & plat::WS_POPUP);
    plat::DestroyWindow(g_Shell.window);

    // Borderless wins over full screen.
    Dir().Write("setup.ini", "[setup]\nnowindow=1\nfullscreen=1\nw=640\nontop=3\n");
    w = Create();
    EXPECT_EQ(std::make_tuple(w.style, w.title, w.width, w.topmost),
              std::make_tuple(plat::WS_POPUP | plat::WS_VISIBLE, std::string(), 640, true));
}

TEST_F(WindowConfig, AWindowThePlayerMovedIsRememberedAndAnUntouchedOneWritesNothing) {
    Create();
    EXPECT_TRUE(SaveWindowSettings());
    EXPECT_FALSE(std::filesystem::exists("setup.ini"));
    // What a player's move, resize and Alt+Enter leave in the window record.
    plat::SetWindowTopmost(g_Shell.window, 30, 40, 1000, 750);
    EXPECT_TRUE(SaveWindowSettings());
    EXPECT_EQ(Saved("x") + " " + Saved("y") + " " + Saved("w") + " " + Saved("h"), "30 40 1000 750");
    EXPECT_EQ(Saved("fullscreen"), "");
    plat::WindowRegistry::WithWindow(g_Shell.window, [](plat::Window& w) { w.fullscreen = true, w.width = 1920; });
    EXPECT_TRUE(SaveWindowSettings());
    EXPECT_EQ(Saved("fullscreen") + " " + Saved("w"), "1 1000");
}

TEST_F(WindowConfig, LeavingAFullScreenStartForAWindowIsRemembered) {
    Dir().Write("setup.ini", "[setup]\nfullscreen=1\n");
    g_Shell.fullscreen = true;
    Create();
    ASSERT_TRUE(plat::OpenWindowDisplay(g_Shell.window, 800, 600, true));
    // Alt+Enter back to a window.
    plat::WindowRegistry::WithWindow(g_Shell.window, [](plat::Window& w) { w.fullscreen = false; });
    EXPECT_TRUE(SaveWindowSettings());
    EXPECT_EQ(Saved("fullscreen"), "0");
}

}  // namespace
