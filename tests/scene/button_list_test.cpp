// Button drawing and loading, the button list, and a scene's buttons.
#include "scene/button_list.h"

#include <gtest/gtest.h>

#include "headless_shell.h"
#include "scene/dirty_rect_manager.h"
#include "scene/scene.h"
#include "surface_test_util.h"

namespace {

class ButtonListTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        target = FilledSurface(60, 60, kWhite565);
        red = FilledSurface(4, 4, kRed565);
        green = FilledSurface(4, 4, kGreen565);
    }
    void TearDown() override {
        for (plat::Surface* s : {target, red, green}) s->Release();
        HeadlessShell::TearDown();
    }
    plat::Surface* target = nullptr;
    plat::Surface* red = nullptr;
    plat::Surface* green = nullptr;
};

TEST_F(ButtonListTest, StateAndFrameBasePastTheFramesDrawTheLastFrame) {
    Button button(2, 2);
    button.Draw(target);  // no frames: nothing
    EXPECT_EQ(PixelAt(target, 2, 2), kWhite565);
    button.AddFrame(0, red);
    button.AddFrame(1, green);
    EXPECT_EQ(button.width, 4);
    button.SetState(Button::kPressed);
    button.Draw(target);
    EXPECT_EQ(PixelAt(target, 2, 2), kGreen565);

    button.SetState(Button::kNormal);
    button.frameBase = 1;
    button.SetForcedFrame(0);
    button.Draw(target);
    EXPECT_EQ(PixelAt(target, 2, 2), kRed565);
}

TEST_F(ButtonListTest, DrawStretchesTheFrameToTheRectangleAndReportsItWhenAsked) {
    Button button(0, 0);
    button.AddFrame(0, red);
    button.width = 8;
    button.height = 8;
    button.SetOffset(10, 20);
    button.SetMarkDirty(1);
    button.Draw(target);
    EXPECT_EQ(PixelAt(target, 17, 27), kRed565);
    EXPECT_EQ(PixelAt(target, 18, 27), kWhite565);
    PtrList<DirtyRect>& reported = *g_DirtyRects.lists[g_DirtyRects.page];
    ASSERT_EQ(reported.Count(), 1);
    EXPECT_EQ(reported.Get(0)->x, 10);
    EXPECT_EQ(reported.Get(0)->y, 20);
    EXPECT_EQ(reported.Get(0)->width, 8);
}

TEST_F(ButtonListTest, SetOffsetMovesPictureAndHitRectangleOfEveryButton) {
    ButtonList list;
    auto* first = new Button(0, 0);
    first->AddFrame(0, red);
    first->SetName("first");
    auto* second = new Button(30, 30, 5, 5);
    second->SetName("second");
    list.Add(first);
    list.Add(second);
    list.SetOffset(10, 20);

    first->Draw(target);
    EXPECT_EQ(PixelAt(target, 10, 20), kRed565);
    EXPECT_EQ(PixelAt(target, 0, 0), kWhite565);
    list.PollAll(41, 51, 0);
    EXPECT_EQ(list.GetHovered(), second);
    list.PollAll(12, 21, 0);
    EXPECT_EQ(list.GetHovered(), first);
    EXPECT_EQ(list.Find("second"), second);
}

TEST_F(ButtonListTest, GetClickedSkipsDisabledButtonsEvenWithTheirFlagSet) {
    ButtonList list;
    auto* off = new Button(0, 0, 10, 10);
    off->SetName("off");
    auto* on = new Button(0, 0, 10, 10);
    on->SetName("on");
    list.Add(off);
    list.Add(on);
    list.PollAll(5, 5, 1);
    list.PollAll(5, 5, 0);
    ASSERT_EQ(list.GetClicked(), off);
    EXPECT_EQ(list.IsClicked("off"), 1);
    EXPECT_EQ(list.IsClicked("on"), 0);  // only the first clicked counts

    off->SetEnabled(0);
    EXPECT_EQ(off->WasClicked(), 1);
    EXPECT_EQ(list.GetClicked(), on);
    EXPECT_EQ(list.IsClicked("on"), 1);

    list.Delete("on");
    EXPECT_EQ(list.Find("on"), nullptr);
    EXPECT_EQ(list.GetClicked(), nullptr);
    list.DeleteAll();
    EXPECT_EQ(list.buttons->Count(), 0);
}

TEST_F(ButtonListTest, SceneGivesAddedButtonsTheListsOffsetAndFreesThemOnLeave) {
    Scene scene;
    scene.buttons->SetOffset(7, 8);
    auto* button = new Button(1, 1);
    scene.AddButton(button);
    EXPECT_EQ(button->offsetX, 7);
    EXPECT_EQ(button->offsetY, 8);
    EXPECT_EQ(scene.buttons->Find(""), button);

    scene.Leave();
    EXPECT_EQ(scene.buttons, nullptr);
    scene.Enter(nullptr, nullptr);
    ASSERT_NE(scene.buttons, nullptr);
    EXPECT_EQ(scene.buttons->buttons->Count(), 0);
    EXPECT_EQ(scene.buttons->offsetX, 0);
}

class ButtonLoadTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();  // strips are cut into display surfaces
        WriteSolidBmp(Dir().Path() / "strip.bmp", 30, 10, 255, 0, 0);
    }
};

TEST_F(ButtonLoadTest, StripAddsExactlyCountFramesOrNone) {
    Button button(0, 0);
    button.LoadStrip("strip.bmp", 3, 0);
    ASSERT_EQ(button.frames->Count(), 3);
    EXPECT_EQ(button.frames->Get(2)->id, 2);
    EXPECT_EQ(button.width, 10);
    EXPECT_EQ(button.hitHeight, 10);

    Button uneven(0, 0);
    uneven.LoadStrip("strip.bmp", 8, 0);  // cells 3 pixels wide: 10 of them
    uneven.LoadStrip("strip.bmp", 0, 0);
    uneven.LoadStrip("strip.bmp", 31, 0);  // cells of 0 pixels
    uneven.LoadStrip("gone.bmp", 1, 0);
    EXPECT_EQ(uneven.frames->Count(), 0);
    EXPECT_EQ(uneven.LoadFrame(5, "gone.bmp"), 0);
    EXPECT_EQ(uneven.LoadFrame(5, "strip.bmp"), 1);
    EXPECT_EQ(uneven.width, 30);
    // The frames the buttons loaded are released with them; the address
    // sanitizer's leak check watches that.
}

}  // namespace
