// The modal panel: its position, and its loop ending on a deadline, the hot
// key, a click, or the window closing, on the headless shell.
#include "scene/dialog_scene.h"

#include <cstring>
#include <functional>
#include <tuple>

#include "display/dirty_rect_manager.h"
#include "headless_shell.h"
#include "runtime/frame_timer.h"
#include "runtime/shell_state.h"
#include "scene/button_list.h"
#include "shell/start_up.h"
#include "surface_test_util.h"

namespace {

// A dialog that runs a test's script at each pass of its loop, before that pass's input.
class ScriptedDialog : public DialogScene {
public:
    ScriptedDialog() : DialogScene(g_Shell.page) {}
    int Tick(int32_t mouseX, int32_t mouseY, int32_t mouseButtons) override {
        ++passes;
        if (script) script(passes);
        return DialogScene::Tick(mouseX, mouseY, mouseButtons);
    }
    std::function<void(int)> script;
    int passes = 0;
};

class DialogSceneTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        WriteSolidBmp(Dir().Path() / "round1.bmp", 530, 294, kGreen565);
        ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
        std::strcpy(result, "untouched");
    }
    // Shuts the shell down as the program would, unless the test closed it.
    void TearDown() override {
        if (plat::IsWindow(g_Shell.window)) plat::DestroyWindow(g_Shell.window);
        HeadlessShell::TearDown();
    }
    static void Post(uint32_t message, int32_t x = 0, int32_t y = 0) {
        plat::PostMessage(g_Shell.window, message, 0, plat::MakeLParam(x, y));
    }
    // Posts a press at (x, y) now and its release a few passes later.
    static void ClickAt(int pass, int at, int32_t x, int32_t y) {
        if (pass == at) {
            Post(plat::WM_MOUSEMOVE, x, y);
            Post(plat::WM_LBUTTONDOWN, x, y);
        }
        if (pass == at + 2) Post(plat::WM_LBUTTONUP, x, y);
    }
    // A round panel as the game shows it, with a deadline so that a broken dialog ends.
    void SetUpRoundPanel(ScriptedDialog& dialog) {
        dialog.AddPanel("round1.bmp", nullptr);
        dialog.SetPosition(135, 153);
        dialog.AddDefaultButton();
        dialog.SetHotKey(plat::VK_SPACE);
        dialog.SetDeadline(FrameTimer::Now() + 5000);
    }
    char result[256];
};

TEST_F(DialogSceneTest, PanelIsCentredOnlyUntilPlacedAndButtonsMoveWithIt) {
    auto box = [](const DialogScene& d) { return std::make_tuple(d.left, d.top, d.right, d.bottom); };
    DialogScene dialog(g_Shell.page);
    ASSERT_NE(dialog.AddPanel("round1.bmp", "round"), nullptr);
    EXPECT_EQ(box(dialog), std::make_tuple(400 - 265, 300 - 147, 400 + 265, 300 + 147));
    dialog.AddDefaultButton();
    dialog.SetPosition(100, 50);
    dialog.SetPosition(-1, -1);
    EXPECT_EQ(box(dialog), std::make_tuple(100, 50, 630, 344));
    dialog.SetPosition(135, 153);
    EXPECT_EQ(box(dialog), std::make_tuple(135, 153, 665, 447));
    Button* button = dialog.buttons->Find("default");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(std::make_tuple(button->offsetX, button->offsetY, button->hitWidth), std::make_tuple(135, 153, 530));

    // A panel that does not load counts as 0 by 0, centred on its own page.
    OwnedSurface small{FilledSurface(640, 480, 0)};
    FramePage smallPage;
    smallPage.back = small.get();
    DialogScene missing(smallPage);
    missing.AddPanel("gone.bmp", nullptr);
    EXPECT_EQ(box(missing), std::make_tuple(320, 240, 320, 240));
    EXPECT_EQ(missing.SelectPanelByName("nobody"), missing.panels->Get(0));
}

TEST_F(DialogSceneTest, DeadlineEndsThePanelWithAnEmptyResult) {
    DialogScene dialog(g_Shell.page);
    dialog.AddPanel("hallfamepop.bmp", nullptr);
    const uint32_t start = FrameTimer::Now();
    dialog.SetDeadline(start + 1000);
    EXPECT_EQ(dialog.DoModal(result, nullptr), 1);
    EXPECT_STREQ(result, "");
    EXPECT_NEAR(FrameTimer::Elapsed(start), 1050, 50);
}

TEST_F(DialogSceneTest, HotKeyEndsThePanelWithKey) {
    ScriptedDialog dialog;
    SetUpRoundPanel(dialog);
    dialog.script = [](int pass) {
        if (pass == 3) plat::HeadlessDisplay().SetKeyDown(plat::VK_SPACE, true);
    };
    EXPECT_EQ(dialog.DoModal(result, nullptr), 1);
    EXPECT_STREQ(result, "key");
    EXPECT_EQ(dialog.passes, 3);
}

TEST_F(DialogSceneTest, ClickOutsideThePanelDoesNothingAndAClickOnItAnswersDefault) {
    ScriptedDialog dialog;
    SetUpRoundPanel(dialog);
    dialog.script = [&](int pass) {
        ClickAt(pass, 1, 100, 100);  // read by pass 5, and ignored
        ClickAt(pass, 6, 664, 446);  // the panel's last pixel
        // While the panel is up, it is the background that restores copy from.
        EXPECT_EQ(g_DirtyRects.GetBackground(), dialog.GetPanel()->GetSurface());
    };
    EXPECT_EQ(dialog.DoModal(result, nullptr), 1);
    EXPECT_STREQ(result, "default");
    EXPECT_GT(dialog.passes, 6);  // the click outside did not end it
}

TEST_F(DialogSceneTest, ClosingTheWindowReturnsZeroAndPutsTheBackgroundBack) {
    OwnedSurface before{FilledSurface(800, 600, kWhite565)};
    g_DirtyRects.SetBackground(before.get());
    ScriptedDialog dialog;
    SetUpRoundPanel(dialog);
    dialog.script = [](int pass) {
        if (pass == 2) Post(plat::WM_CLOSE);
    };
    EXPECT_EQ(dialog.DoModal(result, nullptr), 0);
    EXPECT_EQ(dialog.passes, 2);
    EXPECT_EQ(g_DirtyRects.GetBackground(), before.get());
    EXPECT_STREQ(result, "untouched");
    EXPECT_FALSE(plat::IsWindow(g_Shell.window));
    g_DirtyRects.SetBackground(nullptr);
}

}  // namespace
