#include "input/mouse.h"

#include "display/dirty_rect_manager.h"
#include "headless_shell.h"
#include "surface_test_util.h"

namespace {

int32_t ReadButtons(Mouse& mouse) {
    int32_t buttons = -1;
    mouse.Read(nullptr, nullptr, &buttons, nullptr, nullptr);
    return buttons;
}

TEST(Mouse, TheQueueHandsAPressToOneReadAndButtonsAreKeptApart) {
    Mouse mouse;
    mouse.SetButtonQueue(1);
    mouse.SetLeftButton(1);
    mouse.SetLeftButton(0);
    EXPECT_EQ(ReadButtons(mouse), 1);
    EXPECT_EQ(ReadButtons(mouse), 0);
    // Switched on while held, the queue reads no press.
    mouse.SetButtonQueue(0);
    mouse.SetLeftButton(1);
    EXPECT_EQ(ReadButtons(mouse), 1);
    mouse.SetButtonQueue(1);
    EXPECT_EQ(ReadButtons(mouse), 0);
    mouse.SetButtonQueue(0);
    // Releasing one button keeps the other.
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

// A surface whose every pixel differs, so that an area put back wrongly shows.
plat::Surface* Numbered(int w, int h) {
    plat::Surface* s = FilledSurface(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixelAt(s, x, y, static_cast<uint16_t>(0x0800 + y * w + x));
    return s;
}

TEST_F(MouseDevice, EachCursorSavesAndRestoresAnAreaOfItsOwnSize) {
    OpenDisplay();
    WriteSolidBmp(Dir().Path() / "small.bmp", 3, 2, kWhite565);
    WriteSolidBmp(Dir().Path() / "large.bmp", 9, 7, kRed565);
    Mouse mouse;
    DirtyRectManager dirtyRects;
    OwnedSurface back{Numbered(30, 20)};
    OwnedSurface before{Numbered(30, 20)};
    mouse.RestoreUnder(back.get());  // nothing saved yet: nothing happens
    EXPECT_TRUE(Pixels(back.get()) == Pixels(before.get()));
    mouse.LoadCursorImage("small.bmp");
    mouse.LoadCursorImage("large.bmp");
    mouse.Show();

    for (int index : {1, 0, 1}) {
        mouse.SelectCursor(index);
        const int w = index == 1 ? 9 : 3, h = index == 1 ? 7 : 2;
        mouse.SetPosition(4, 5);
        mouse.DrawCursor(back.get(), dirtyRects);
        const uint16_t colour = index == 1 ? kRed565 : kWhite565;
        EXPECT_EQ(PixelsAt(back.get(), {{4, 5}, {4 + w - 1, 5 + h - 1}, {4 + w, 5}, {4, 5 + h}}),
                  (std::vector<uint16_t>{colour, colour, PixelAt(before.get(), 4 + w, 5),
                                         PixelAt(before.get(), 4, 5 + h)}))
            << "cursor " << index;
        mouse.RestoreUnder(back.get());
        EXPECT_TRUE(Pixels(back.get()) == Pixels(before.get())) << "cursor " << index;
    }
    // One a drawing, for the screen, on the manager it was handed.
    EXPECT_EQ(dirtyRects.lists[dirtyRects.page]->Count(), 3);
    EXPECT_EQ(g_DirtyRects.lists[g_DirtyRects.page]->Count(), 0);
}

}  // namespace
