// Sprite drawing with its dirty-rectangle reports, and loading frames.
#include <gtest/gtest.h>

#include "headless_shell.h"
#include "scene/dirty_rect_manager.h"
#include "scene/sprite.h"
#include "surface_test_util.h"

namespace {

class SpriteDrawTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        target = FilledSurface(40, 40, kWhite565);
    }
    void TearDown() override {
        target->Release();
        HeadlessShell::TearDown();
    }
    static PtrList<DirtyRect>& Reported() { return *g_DirtyRects.lists[g_DirtyRects.page]; }
    plat::Surface* target = nullptr;
};

TEST_F(SpriteDrawTest, CentredSpriteIsDrawnFromHalfItsSizeBackAndReportsThatArea) {
    Sprite sprite;
    sprite.AddFrame(FilledSurface(5, 3, kRed565));
    sprite.SetCentred(1);
    sprite.x = 10.0f;
    sprite.y = 10.7f;
    sprite.Draw(target);
    EXPECT_EQ(PixelAt(target, 7, 9), kWhite565);
    EXPECT_EQ(PixelAt(target, 8, 9), kRed565);
    EXPECT_EQ(PixelAt(target, 12, 11), kRed565);
    EXPECT_EQ(PixelAt(target, 13, 9), kWhite565);
    ASSERT_EQ(Reported().Count(), 1);
    const DirtyRect& r = *Reported().Get(0);
    EXPECT_EQ(r.x, 8);
    EXPECT_EQ(r.y, 9);  // 10.7 - 1 = 9.7, truncated
    EXPECT_EQ(r.width, 5);
    EXPECT_EQ(r.height, 3);
    EXPECT_EQ(r.flags, DirtyRect::kOneShot | DirtyRect::kFromBackground);
}

TEST_F(SpriteDrawTest, InvisibleSpriteDrawsNothingButStillReportsItsArea) {
    Sprite sprite;
    sprite.AddFrame(FilledSurface(4, 4, kRed565));
    sprite.SetPosition(2, 3);
    sprite.SetVisible(0);
    sprite.Draw(target);
    EXPECT_EQ(PixelAt(target, 3, 4), kWhite565);
    ASSERT_EQ(Reported().Count(), 1);
    EXPECT_EQ(Reported().Get(0)->x, 2);
    EXPECT_EQ(Reported().Get(0)->y, 3);
}

TEST_F(SpriteDrawTest, NoFrameDrawsAndReportsNothingWhileRestoreBeforeDrawStillRestores) {
    Sprite sprite;
    sprite.AddFrame(FilledSurface(4, 4, kRed565));
    sprite.SetFrameIndex(-1);
    sprite.Draw(target);
    sprite.SetFrameIndex(1);
    sprite.Draw(target);
    EXPECT_EQ(Reported().Count(), 0);

    // The restore rectangle is the sprite's own area, even when centred.
    sprite.restoreBeforeDraw = 1;
    sprite.SetCentred(1);
    sprite.SetPosition(20, 20);
    sprite.Draw(target);
    ASSERT_EQ(Reported().Count(), 1);
    EXPECT_EQ(Reported().Get(0)->x, 20);
    EXPECT_EQ(Reported().Get(0)->width, 4);
}

TEST_F(SpriteDrawTest, DrawPartBlitsTheBlockAtTheGivenPlaceAndReportsIt) {
    plat::Surface* picture = FilledSurface(6, 6, kRed565);
    SetPixelAt(picture, 3, 2, kGreen565);
    Sprite sprite;
    sprite.AddFrame(picture);
    sprite.SetCentred(1);  // no effect on parts
    sprite.DrawPart(2, 2, 2, 2, target, 30, 31);
    EXPECT_EQ(PixelAt(target, 31, 31), kGreen565);
    EXPECT_EQ(PixelAt(target, 30, 32), kRed565);
    EXPECT_EQ(PixelAt(target, 32, 31), kWhite565);
    ASSERT_EQ(Reported().Count(), 1);
    EXPECT_EQ(Reported().Get(0)->x, 30);
    EXPECT_EQ(Reported().Get(0)->width, 2);
}

class SpriteLoadTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();  // frames are cut into display surfaces
        WriteSolidBmp(Dir().Path() / "strip.bmp", 30, 10, 255, 0, 0);
    }
};

TEST_F(SpriteLoadTest, StripCutsCountFramesAndKeepsTheWholeStripSizeUntilSplit) {
    Sprite sprite;
    EXPECT_EQ(sprite.LoadStrip("strip.bmp", 3, 0), 3);
    EXPECT_EQ(sprite.width, 30);
    EXPECT_EQ(sprite.height, 10);
    EXPECT_EQ(sprite.last, 3);
    sprite.SplitWidth();
    EXPECT_EQ(sprite.width, 10);
    EXPECT_EQ(sprite.frames->Get(2)->Width(), 10);

    Sprite stacked;
    EXPECT_EQ(stacked.LoadStrip("strip.bmp", 2, 1), 2);
    EXPECT_EQ(stacked.frames->Get(0)->Height(), 5);
}

TEST_F(SpriteLoadTest, StripAndSheetRefuseSizesThatWouldDivideByZero) {
    Sprite sprite;
    EXPECT_EQ(sprite.LoadStrip("strip.bmp", 0, 0), 0);
    EXPECT_EQ(sprite.LoadStrip("strip.bmp", -2, 1), 0);
    EXPECT_EQ(sprite.LoadStrip("strip.bmp", 31, 0), 0);  // cells 0 pixels wide
    EXPECT_EQ(sprite.LoadSheet("strip.bmp", 0, 5), 0);
    EXPECT_EQ(sprite.LoadSheet("strip.bmp", 5, 0), 0);
    EXPECT_EQ(sprite.frames->Count(), 0);
    EXPECT_EQ(sprite.LoadSheet("strip.bmp", 10, 5), 6);
    EXPECT_EQ(sprite.width, 10);
    EXPECT_EQ(sprite.height, 5);
}

TEST_F(SpriteLoadTest, MissingFrameFileShowsItsNameAndAddsNothing) {
    Sprite sprite;
    EXPECT_EQ(sprite.LoadFrame("gone.bmp"), 1);
    EXPECT_EQ(sprite.frames->Count(), 0);
    EXPECT_EQ(plat::HeadlessDisplay().LastError(), "gone.bmp");
    EXPECT_EQ(sprite.LoadStrip("gone.bmp", 2, 0), 0);
    EXPECT_EQ(sprite.LoadFrame("strip.bmp"), 1);
    EXPECT_EQ(sprite.frames->Count(), 1);
    EXPECT_EQ(sprite.width, 30);
}

}  // namespace
