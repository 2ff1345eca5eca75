#include "shell/main_loop.h"

#include "display/dirty_rect_manager.h"
#include "headless_shell.h"
#include "input/mouse.h"
#include "runtime/message_pump.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "shell/start_up.h"
#include "surface_test_util.h"

namespace {

class MainLoopTest : public HeadlessShell {
protected:
    void StartWith(CountingScene* scene) {
        ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
        g_Application.SetDisplay(g_Shell.directDraw, &g_Shell.page);
        g_Application.AddScene(scene);
        g_Application.SelectScene(scene->GetName());
    }
    void Post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        plat::PostMessage(g_Shell.window, message, wParam, lParam);
    }
};

TEST_F(MainLoopTest, EscapeClosesTheWindowAndShutsDownOnce) {
    CountingScene scene("treasure");
    StartWith(&scene);
    Post(plat::WM_KEYUP, plat::VK_ESCAPE);
    EXPECT_FALSE(MainLoop());
    EXPECT_FALSE(plat::IsWindow(g_Shell.window));
    EXPECT_EQ(std::make_pair(scene.leaves, g_Shell.active), std::make_pair(1, 0));
    // The quit message stays queued for any outer loop.
    EXPECT_EQ(PumpMessages(), 1);
    EXPECT_EQ(scene.leaves, 1);
}

TEST_F(MainLoopTest, InactiveWindowRunsNoScene) {
    CountingScene scene("treasure");
    StartWith(&scene);
    Post(plat::WM_ACTIVATE, plat::WA_INACTIVE);
    plat::StartPeriodicTimer(200, PostClose, g_Shell.window);
    EXPECT_FALSE(MainLoop());
    EXPECT_EQ(scene.runs, 0);
}

TEST_F(MainLoopTest, SceneReturningSevenShowsCreditsThenEnds) {
    WriteSolidBmp(Dir().Path() / "Title/TovaliCredit.bmp", 800, 600, kRed565);
    CountingScene scene("treasure", 7);
    StartWith(&scene);
    const int presentsBefore = plat::HeadlessDisplay().PresentCount();
    EXPECT_FALSE(MainLoop());
    EXPECT_EQ(std::make_pair(scene.runs, scene.leaves), std::make_pair(1, 1));
    EXPECT_FALSE(plat::IsWindow(g_Shell.window));
    // Five seconds of frames showing the credits went by.
    EXPECT_GT(plat::HeadlessDisplay().PresentCount() - presentsBefore, 100);
    EXPECT_EQ(PixelAt(plat::HeadlessDisplay().LastPresented(), 0, 0), kRed565);
}

TEST_F(MainLoopTest, ASceneDrawsOnThePagesTheShellMadeAgainAfterItEntered) {
    // Marks its back page red each frame, then presents.
    class MarkingScene : public CountingScene {
    public:
        MarkingScene() : CountingScene("treasure") {}
        int Run(int active) override {
            SetPixelAt(BackPage(), 5, 5, kRed565);
            return CountingScene::Run(active);
        }
    } scene;
    StartWith(&scene);
    // The pages go and come back while the scene stays entered: it must draw
    // on the new ones, not on the released surfaces.
    CloseDisplayPages();
    EXPECT_EQ(scene.BackPage(), nullptr);
    ASSERT_TRUE(OpenDisplayPages());
    EXPECT_EQ(g_Application.RunFrame(1), 1);
    EXPECT_EQ(PixelAt(plat::HeadlessDisplay().LastPresented(), 5, 5), kRed565);
    EXPECT_EQ(scene.enters, 1);
}

TEST_F(MainLoopTest, SplashEndsAtOnceOnAHeldButton) {
    WriteSolidBmp(Dir().Path() / "Title/TovaliSplash.bmp", 800, 600, kBlue565);
    g_Mouse.SetLeftButton(1);
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_LE(plat::HeadlessDisplay().PresentCount(), 2);
}

TEST_F(MainLoopTest, MissingSplashShowsNothingAndDoesNotWait) {
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    EXPECT_EQ(plat::HeadlessDisplay().PresentCount(), 0);
}

TEST_F(MainLoopTest, MousePositionsArePicturePixelsWhateverTheWindowSize) {
    CountingScene scene("treasure");
    StartWith(&scene);
    PumpMessages();  // activation
    ASSERT_EQ(g_Shell.active, 1);
    // The backend fits the picture to the window: a new size moves nothing.
    plat::SendMessage(g_Shell.window, plat::WM_SIZE, plat::SIZE_MAXIMIZED, plat::MakeLParam(1280, 961));
    plat::SendMessage(g_Shell.window, plat::WM_MOUSEMOVE, 0, plat::MakeLParam(10, 20));
    EXPECT_EQ(std::make_pair(g_Mouse.X(), g_Mouse.Y()), std::make_pair(10, 20));
    // A point on the bar left of the picture stays left of it.
    plat::SendMessage(g_Shell.window, plat::WM_MOUSEMOVE, 0, plat::MakeLParam(-3, 20));
    EXPECT_EQ(g_Mouse.X(), -3);

    // Moves while inactive are not taken.
    plat::SendMessage(g_Shell.window, plat::WM_ACTIVATE, plat::WA_INACTIVE, 0);
    plat::SendMessage(g_Shell.window, plat::WM_MOUSEMOVE, 0, plat::MakeLParam(300, 300));
    EXPECT_EQ(g_Mouse.X(), -3);
}

// Turns the frame-rate text on in frame 1, off in frame 4, and ends in frame 8.
class OverlayScene : public CountingScene {
public:
    OverlayScene() : CountingScene("treasure") {}
    int Run(int active) override {
        CountingScene::Run(active);
        if (runs == 1 || runs == 4) plat::SendMessage(g_Shell.window, plat::WM_KEYUP, plat::VK_F1, 0);
        return runs == 8 ? 7 : 1;
    }
};

TEST_F(MainLoopTest, FrameRateTextLeavesBothPagesOnceSwitchedOff) {
    OverlayScene scene;
    StartWith(&scene);
    OwnedSurface background{FilledSurface(800, 600, kGreen565)};
    g_DirtyRects.SetBackground(background.get());
    EXPECT_FALSE(MainLoop());
    ASSERT_EQ(scene.runs, 8);
    plat::Surface* shown = plat::HeadlessDisplay().LastPresented();
    ASSERT_NE(shown, nullptr);
    for (int y = 0; y < 8; ++y)
        for (int x = 580; x < 610; ++x) ASSERT_EQ(PixelAt(shown, x, y), kGreen565) << x << "," << y;
    g_DirtyRects.SetBackground(nullptr);
}

// The frame rate floating scores move by is the loop's at the display's pace:
// presents held while nothing changed leave it as it was.
TEST_F(MainLoopTest, HeldPresentsLeaveTheFrameRate) {
    ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
    for (int i = 0; i < 120; ++i) QVFlip();  // 10 ms a frame
    EXPECT_FLOAT_EQ(QVGetFPS(), 100.0f);
    plat::HeadlessDisplay().SetFramePeriod(500);
    plat::HeadlessDisplay().SetPresentsHeld(true);
    for (int i = 0; i < 6; ++i) QVFlip();
    EXPECT_FLOAT_EQ(QVGetFPS(), 100.0f);
}

}  // namespace
