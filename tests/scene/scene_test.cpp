#include "scene/scene.h"

#include <gtest/gtest.h>

#include "headless_shell.h"
#include "platform/qv.h"
#include "scene/dirty_rect_manager.h"
#include "shell/shell_state.h"
#include "surface_test_util.h"

namespace {

class SceneTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();
        QVGetDDInfo(&g_Shell.primary, &g_Shell.backBuffer);
        scene.Enter(QVGetLPDD(), g_Shell.backBuffer);
    }
    Scene scene;
};

TEST_F(SceneTest, LoadImagesStopsAtTheFirstGapAndNamesImagesBySection) {
    WriteSolidBmp(Dir().Path() / "title.bmp", 8, 4, 255, 0, 0);
    WriteSolidBmp(Dir().Path() / "other.bmp", 6, 6, 0, 255, 0);
    Dir().Write("set.ini",
                "[images]\nimage01=title\nimage02=board\nimage04=late\n"
                "[title]\nx=100\ny= -40px\n"
                "[board]\nfile=other.bmp\n"
                "[late]\nx=1\n");
    EXPECT_EQ(scene.LoadImages("set.ini"), 0);
    ASSERT_EQ(scene.images->Count(), 2);
    Image* title = scene.FindImage("title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 100);
    EXPECT_EQ(title->y, -40);
    EXPECT_EQ(title->width, 8);
    Image* board = scene.FindImage("board");
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->x, 0);
    EXPECT_EQ(board->width, 6);
    EXPECT_EQ(scene.FindImage("late"), nullptr);
}

TEST_F(SceneTest, LoadImagesUsesSectionNameForNoneAndKeepsImagesThatDoNotLoad) {
    WriteSolidBmp(Dir().Path() / "boat.bmp", 5, 5, 0, 0, 0);
    Dir().Write("set.ini",
                "[images]\nimage01=boat\nimage02=ghost\nimage03=none\nimage04=boat\n"
                "[boat]\nfile=none\n");
    scene.LoadImages("set.ini");
    ASSERT_EQ(scene.images->Count(), 2);
    EXPECT_EQ(scene.FindImage("boat")->width, 5);
    EXPECT_EQ(scene.FindImage("ghost")->GetSurface(), nullptr);
    EXPECT_EQ(scene.DrawImage(g_Shell.backBuffer, "ghost"), 1);  // found, draws nothing
    EXPECT_EQ(scene.DrawImage(g_Shell.backBuffer, "nobody"), 0);
    EXPECT_EQ(scene.LoadImages("missing.ini"), 0);
    EXPECT_EQ(scene.images->Count(), 2);
}

TEST_F(SceneTest, FirstImageOfANameWinsAndFailedLoadsAreNotKept) {
    WriteSolidBmp(Dir().Path() / "a.bmp", 3, 3, 0, 0, 0);
    WriteSolidBmp(Dir().Path() / "b.bmp", 4, 4, 0, 0, 0);
    Image* first = scene.AddNamedImage("a.bmp", "same");
    scene.AddNamedImage("b.bmp", "same");
    EXPECT_EQ(scene.FindImage("same"), first);
    EXPECT_EQ(scene.AddImage("missing.bmp"), nullptr);
    EXPECT_EQ(scene.images->Count(), 2);
    Image* a = scene.AddImage("a.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->GetName(), "a.bmp");
    scene.DetachImageByName("same");
    EXPECT_NE(scene.FindImage("same"), first);
    delete first;
}

TEST_F(SceneTest, LeaveThenEnterGivesEmptyLists) {
    WriteSolidBmp(Dir().Path() / "a.bmp", 3, 3, 0, 0, 0);
    scene.AddImage("a.bmp");
    scene.Leave();
    EXPECT_EQ(scene.images, nullptr);
    scene.Enter(QVGetLPDD(), g_Shell.backBuffer);
    ASSERT_NE(scene.images, nullptr);
    EXPECT_EQ(scene.images->Count(), 0);
}

TEST_F(SceneTest, ChildPresentsThroughItsParentOnly) {
    struct CountingParent : Scene {
        int Present() override {
            ++presents;
            return 42;
        }
        int presents = 0;
    } parentScene;
    Scene child;
    child.SetParent(&parentScene);
    const int flips = plat::HeadlessDisplay().PresentCount();
    EXPECT_EQ(child.Present(), 42);
    EXPECT_EQ(parentScene.presents, 1);
    EXPECT_EQ(plat::HeadlessDisplay().PresentCount(), flips);
    EXPECT_EQ(scene.Present(), plat::DD_OK);
    EXPECT_EQ(plat::HeadlessDisplay().PresentCount(), flips + 1);
    EXPECT_EQ(scene.Run(1), 1);
}

}  // namespace
