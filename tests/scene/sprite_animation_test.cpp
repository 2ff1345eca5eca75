// Sprite::Update's four play modes and Sprite::Step, on the frame clock.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "headless_shell.h"
#include "scene/sprite.h"
#include "shell/frame_timer.h"
#include "surface_test_util.h"

namespace {

class SpriteAnimationTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        ASSERT_TRUE(FrameTimer::Start());
    }
    void TearDown() override {
        FrameTimer::Stop();
        HeadlessShell::TearDown();
    }
    // A sprite of count one-pixel frames, playing in the given mode.
    static void SetUpPlaying(Sprite& sprite, int count, int mode, int delay, int step) {
        for (int i = 0; i < count; ++i) sprite.AddFrame(FilledSurface(1, 1, kRed565));
        sprite.SetMode(mode);
        sprite.SetDelay(delay);
        sprite.step = step;
        sprite.SetPlaying(1);
        sprite.stamp = FrameTimer::Now();
    }
    static void AdvanceAndUpdate(Sprite& sprite) {
        plat::HeadlessClock().Advance(10);
        sprite.Update();
    }
};

TEST_F(SpriteAnimationTest, LoopAdvancesAtMostOncePerDelayPlusOneAndWraps) {
    Sprite sprite;
    SetUpPlaying(sprite, 3, Sprite::kLoop, 100, 1);
    const uint32_t start = FrameTimer::Now();
    std::vector<std::pair<int32_t, int32_t>> changes;  // (elapsed ms, new frame)
    int32_t shown = sprite.GetFrame();
    while (FrameTimer::Elapsed(start) < 400) {
        AdvanceAndUpdate(sprite);
        if (sprite.GetFrame() != shown) {
            shown = sprite.GetFrame();
            changes.emplace_back(FrameTimer::Elapsed(start), shown);
        }
    }
    // With a 10 ms clock the first time past 100 ms is 110 ms.
    const std::vector<std::pair<int32_t, int32_t>> expected{{110, 1}, {220, 2}, {330, 0}};
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(sprite.playing, 1);
}

TEST_F(SpriteAnimationTest, BackwardsLoopWrapsFromBeforeTheStartToTheLastFrame) {
    Sprite sprite;
    SetUpPlaying(sprite, 3, Sprite::kLoop, 0, -1);
    std::vector<int32_t> frames;
    for (int i = 0; i < 4; ++i) {
        AdvanceAndUpdate(sprite);
        frames.push_back(sprite.GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{2, 1, 0, 2}));
}

struct EndingCase {
    int32_t mode;
    int32_t endFrame;
};

class SpriteEndingTest : public SpriteAnimationTest,
                         public ::testing::WithParamInterface<EndingCase> {};

TEST_P(SpriteEndingTest, PlayOnceModesStopWhereTheirModeSays) {
    Sprite sprite;
    SetUpPlaying(sprite, 3, GetParam().mode, 0, 1);
    AdvanceAndUpdate(sprite);
    AdvanceAndUpdate(sprite);
    EXPECT_EQ(sprite.GetFrame(), 2);
    EXPECT_EQ(sprite.playing, 1);
    AdvanceAndUpdate(sprite);
    EXPECT_EQ(sprite.GetFrame(), GetParam().endFrame);
    EXPECT_EQ(sprite.playing, 0);
    // Stopped: later updates leave it where it ended.
    AdvanceAndUpdate(sprite);
    EXPECT_EQ(sprite.GetFrame(), GetParam().endFrame);
}

INSTANTIATE_TEST_SUITE_P(Modes, SpriteEndingTest,
                         ::testing::Values(EndingCase{Sprite::kPlayOnceHold, 2},
                                           EndingCase{Sprite::kPlayOnceRewind, 0},
                                           EndingCase{Sprite::kPlayOnceVanish, -1}));

TEST_F(SpriteAnimationTest, StepWaitsForItsTimeAndWrapsByDirection) {
    Sprite sprite;
    for (int i = 0; i < 4; ++i) sprite.AddFrame(FilledSurface(1, 1, kRed565));
    sprite.SetDelay(50);
    sprite.step = 2;
    sprite.SetFrameIndex(2);
    sprite.stamp = FrameTimer::Now();
    EXPECT_EQ(sprite.Step(), 0);  // not yet due

    plat::HeadlessClock().Advance(10);
    EXPECT_EQ(sprite.Step(), 1);  // 2 + 2 is past the end, no wrap: stays
    EXPECT_EQ(sprite.GetFrame(), 2);
    EXPECT_EQ(sprite.stamp, FrameTimer::Now() + 50);

    sprite.wrap = 1;
    plat::HeadlessClock().Advance(50);
    EXPECT_EQ(sprite.Step(), 0);  // exactly at the next step's time
    plat::HeadlessClock().Advance(10);
    EXPECT_EQ(sprite.Step(), 1);
    EXPECT_EQ(sprite.GetFrame(), 3);  // wrapped to the last frame, not to 0

    sprite.step = 1;
    plat::HeadlessClock().Advance(60);
    EXPECT_EQ(sprite.Step(), 1);
    EXPECT_EQ(sprite.GetFrame(), 0);
}

}  // namespace
