#include "input/mouse.h"

#include <gtest/gtest.h>

#include "headless_shell.h"
#include "platform/qv.h"
#include "scene/dirty_rect_manager.h"
#include "surface_test_util.h"

namespace {

int32_t ReadButtons(Mouse& mouse) {
    int32_t buttons = -1;
    mouse.Read(nullptr, nullptr, &buttons, nullptr, nullptr);
    return buttons;
}

TEST(Mouse, QueueHandsPressAndReleaseToTwoReads) {
    Mouse mouse;
    mouse.SetButtonQueue(1);
    mouse.SetLeftButton(1);
    mouse.SetLeftButton(0);
    EXPECT_EQ(ReadButtons(mouse), 1);
    EXPECT_EQ(ReadButtons(mouse), 0);
    EXPECT_EQ(ReadButtons(mouse), 0);
}

TEST(Mouse, QueueSwitchedOnWhileHeldReadsZero) {
    Mouse mouse;
    mouse.SetLeftButton(1);
    EXPECT_EQ(ReadButtons(mouse), 1);
    mouse.SetButtonQueue(1);
    EXPECT_EQ(ReadButtons(mouse), 0);
    mouse.SetButtonQueue(0);
    EXPECT_EQ(ReadButtons(mouse), 1);
}

TEST(Mouse, ReleasingOneButtonKeepsTheOther) {
    Mouse mouse;
    mouse.SetLeftButton(1);
    mouse.SetRightButton(1);
    mouse.SetRightButton(0);
    EXPECT_EQ(mouse.Buttons(), 1);
    mouse.SetRightButton(1);
    mouse.SetLeftButton(0);
    EXPECT_EQ(mouse.Buttons(), 2);
}

class MouseDevice : public HeadlessShell {};

TEST_F(MouseDevice, PollCountsPressesOnlyOutsideMessageMode) {
    Mouse mouse;
    QVInitMouse();
    QVAcquireMouse(1);
    plat::HeadlessDisplay().SetMouseButtons(1);
    mouse.Poll();
    mouse.Poll();  // still held: no second press
    EXPECT_EQ(mouse.Buttons(), 1);
    int32_t left = -1;
    mouse.Read(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, 0);  // one press counted, now taken
    mouse.SetMessageMode(1);
    plat::HeadlessDisplay().SetMouseButtons(2);
    mouse.Poll();
    EXPECT_EQ(mouse.Buttons(), 1);
}

TEST_F(MouseDevice, SoftwarePointerIsDrawnAndTakenAwayAgain) {
    OpenDisplay();
    WriteSolidBmp(Dir().Path() / "arrow.bmp", 4, 4, 255, 255, 255);
    Mouse mouse;
    plat::Surface* back = FilledSurface(20, 20, kGreen565);
    mouse.RestoreUnder(back);  // nothing saved yet: nothing happens
    EXPECT_EQ(PixelAt(back, 0, 0), kGreen565);

    mouse.LoadCursorImage("arrow.bmp");
    mouse.SelectCursor(0);
    mouse.Show();
    mouse.SetPosition(5, 6);
    mouse.DrawCursor(back);
    EXPECT_EQ(PixelAt(back, 5, 6), kWhite565);
    EXPECT_EQ(g_DirtyRects.lists[g_DirtyRects.page]->Count(), 1);
    mouse.RestoreUnder(back);
    EXPECT_EQ(PixelAt(back, 5, 6), kGreen565);
    back->Release();
}

}  // namespace
