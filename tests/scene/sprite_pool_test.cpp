// The sprite pool: copies sharing their template's frames, animation and
// drawing once per frame, and the removal of vanished copies.
#include "scene/sprite_pool.h"

#include <gtest/gtest.h>

#include "headless_shell.h"
#include "scene/dirty_rect_manager.h"
#include "shell/frame_timer.h"
#include "surface_test_util.h"

namespace {

class SpritePoolTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        ASSERT_TRUE(FrameTimer::Start());
    }
    void TearDown() override {
        g_SpritePool.Clear();
        FrameTimer::Stop();
        HeadlessShell::TearDown();
    }
    // A playing template of two 2 by 2 frames, red then green, at (x, 0).
    static void SetUpTemplate(Sprite& sprite, const char* spriteName, int mode, int x) {
        sprite.AddFrame(FilledSurface(2, 2, kRed565));
        sprite.AddFrame(FilledSurface(2, 2, kGreen565));
        sprite.SetName(spriteName);
        sprite.SetMode(mode);
        sprite.SetPlaying(1);
        sprite.SetPosition(x, 0);
    }
    void Frame() {
        plat::HeadlessClock().Advance(10);
        g_SpritePool.UpdateAll(target.get());
    }
    OwnedSurface target{FilledSurface(40, 40, kWhite565)};
};

TEST_F(SpritePoolTest, CopySharesTheTemplatesFramesAndStartsAtTheRangesStart) {
    Sprite templateSprite;
    SetUpTemplate(templateSprite, "bonus", Sprite::kLoop, 0);
    templateSprite.SetFrameIndex(0);
    templateSprite.SetRange(1, 2);
    plat::HeadlessClock().Advance(30);
    Sprite* copy = g_SpritePool.Create(&templateSprite);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->frames->Get(1), templateSprite.frames->Get(1));
    EXPECT_EQ(copy->sharesFrames, 1);
    EXPECT_EQ(copy->stamp, FrameTimer::Now());
    EXPECT_EQ(templateSprite.frame, 1);
    EXPECT_EQ(copy->frame, 1);
    EXPECT_EQ(g_SpritePool.Find("bonus"), copy);
    EXPECT_EQ(g_SpritePool.Find("Bonus"), nullptr);

    // Destroying the copy leaves the template's surfaces alone (the address
    // sanitizer would see a use after free here otherwise).
    g_SpritePool.Remove("bonus");
    EXPECT_EQ(g_SpritePool.Find("bonus"), nullptr);
    EXPECT_EQ(PixelAt(templateSprite.frames->Get(1), 0, 0), kGreen565);

    // Without a range a copy starts at frame 0 and never advances.
    templateSprite.SetRange(-1, -1);
    templateSprite.SetFrameIndex(1);
    copy = g_SpritePool.Create(&templateSprite);
    Frame();
    Frame();
    EXPECT_EQ(copy->frame, 0);
}

TEST_F(SpritePoolTest, VanishedCopiesAreRemovedAtTheEndOfTheirLastUpdate) {
    Sprite vanishing;
    SetUpTemplate(vanishing, "a", Sprite::kPlayOnceVanish, 0);
    Sprite looping;
    SetUpTemplate(looping, "c", Sprite::kLoop, 20);
    // Two vanishing copies next to each other: the second moves into the
    // first one's slot when that is removed and must be examined too.
    g_SpritePool.Create(&vanishing);
    vanishing.SetName("b");
    vanishing.SetPosition(10, 0);
    g_SpritePool.Create(&vanishing);
    g_SpritePool.Create(&looping);

    Frame();
    EXPECT_EQ(PixelAt(target.get(), 0, 0), kGreen565);
    EXPECT_EQ(PixelAt(target.get(), 10, 0), kGreen565);
    EXPECT_EQ(g_SpritePool.sprites->Count(), 3);

    Frame();
    ASSERT_EQ(g_SpritePool.sprites->Count(), 1);
    EXPECT_EQ(g_SpritePool.sprites->Get(0)->frame, 0);  // "c" looped round
    EXPECT_EQ(PixelAt(target.get(), 20, 0), kRed565);
}

TEST_F(SpritePoolTest, StepAllDrawsSteppedCopiesIntoTheBackground) {
    OwnedSurface background{FilledSurface(40, 40, kWhite565)};
    g_DirtyRects.SetBackground(background.get());
    Sprite templateSprite;
    SetUpTemplate(templateSprite, "tile", Sprite::kLoop, 4);
    templateSprite.SetDelay(1000);
    g_SpritePool.Create(&templateSprite);

    plat::HeadlessClock().Advance(10);
    g_SpritePool.StepAll();
    EXPECT_EQ(PixelAt(background.get(), 4, 0), kGreen565);
    SetPixelAt(background.get(), 4, 0, kWhite565);
    plat::HeadlessClock().Advance(500);
    g_SpritePool.StepAll();  // the next step is a second away
    EXPECT_EQ(PixelAt(background.get(), 4, 0), kWhite565);
    g_DirtyRects.SetBackground(nullptr);
}

}  // namespace
