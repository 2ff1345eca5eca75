// Sprite play modes and steps on the frame clock, drawing with its reports,
// loading frames, and the sprite pool of copies sharing their template's frames.
#include <array>
#include <tuple>

#include "display/dirty_rect_manager.h"
#include "headless_shell.h"
#include "runtime/frame_timer.h"
#include "scene/sprite.h"
#include "scene/sprite_pool.h"
#include "surface_test_util.h"

namespace {

using Rects = std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>>;

class SpriteTest : public HeadlessShell {
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
    // Gives the sprite count one-pixel frames, playing in the given mode.
    static void SetUpPlaying(Sprite& s, int count, int mode, int delay, int step) {
        for (int i = 0; i < count; ++i) s.AddFrame(FilledSurface(1, 1, kRed565));
        s.SetMode(mode);
        s.SetDelay(delay);
        s.step = step;
        s.SetPlaying(1);
        s.stamp = FrameTimer::Now();
    }
    // The frames shown after each of n updates 10 ms apart.
    static std::vector<int32_t> UpdateFrames(Sprite& s, int n) {
        std::vector<int32_t> frames;
        for (int i = 0; i < n; ++i) {
            plat::HeadlessClock().Advance(10);
            s.Update();
            frames.push_back(s.GetFrame());
        }
        return frames;
    }
    // A playing template of two 2 by 2 frames, red then green, at (x, 0).
    static void SetUpTemplate(Sprite& s, const char* spriteName, int mode, int x) {
        s.AddFrame(FilledSurface(2, 2, kRed565));
        s.AddFrame(FilledSurface(2, 2, kGreen565));
        s.SetName(spriteName);
        s.SetMode(mode);
        s.SetPlaying(1);
        s.SetPosition(x, 0);
    }
    void PoolFrame() {
        plat::HeadlessClock().Advance(10);
        g_SpritePool.UpdateAll(target.get());
    }
    // The rectangles reported on the current page: x, y, width, height.
    static Rects Reported() {
        Rects rects;
        PtrList<DirtyRect>& list = *g_DirtyRects.lists[g_DirtyRects.page];
        for (int i = 0; i < list.Count(); ++i) {
            const DirtyRect& r = *list.Get(i);
            rects.emplace_back(r.x, r.y, r.width, r.height);
        }
        return rects;
    }
    Sprite sprite;
    OwnedSurface target{FilledSurface(40, 40, kWhite565)};
};

TEST_F(SpriteTest, UpdatePlaysEachModeOnTheFrameClock) {
    // A loop advances at most once per delay plus one tick: with a 10 ms clock
    // the first time past 100 ms is 110 ms, so updates 11, 22 and 33 change it.
    SetUpPlaying(sprite, 3, Sprite::kLoop, 100, 1);
    const std::vector<int32_t> frames = UpdateFrames(sprite, 40);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(frames[i], (i + 1) / 11 % 3) << "at " << (i + 1) * 10 << " ms";
    Sprite backwards;
    SetUpPlaying(backwards, 3, Sprite::kLoop, 0, -1);
    EXPECT_EQ(UpdateFrames(backwards, 4), (std::vector<int32_t>{2, 1, 0, 2}));

    // The play-once modes stop where their mode says and stay there.
    const std::pair<int32_t, int32_t> endings[] = {
        {Sprite::kPlayOnceHold, 2}, {Sprite::kPlayOnceRewind, 0}, {Sprite::kPlayOnceVanish, -1}};
    for (auto [mode, end] : endings) {
        Sprite once;
        SetUpPlaying(once, 3, mode, 0, 1);
        EXPECT_EQ(UpdateFrames(once, 4), (std::vector<int32_t>{1, 2, end, end})) << "mode " << mode;
        EXPECT_EQ(once.playing, 0);
    }
}

TEST_F(SpriteTest, StepWaitsForItsTimeAndWrapsByDirection) {
    for (int i = 0; i < 4; ++i) sprite.AddFrame(FilledSurface(1, 1, kRed565));
    sprite.SetDelay(50);
    sprite.step = 2;
    sprite.SetFrameIndex(2);
    sprite.stamp = FrameTimer::Now();
    // Each row: ms to advance, then what Step returns and the frame after it.
    auto steps = [&](std::initializer_list<std::array<int, 3>> rows) {
        for (auto [ms, stepped, frame] : rows) {
            plat::HeadlessClock().Advance(ms);
            const int result = sprite.Step();
            EXPECT_EQ(std::make_pair(result, sprite.GetFrame()), std::make_pair(stepped, frame)) << ms;
        }
    };
    steps({{0, 0, 2}, {10, 1, 2}});  // not yet due; then 2 + 2 is past the end, no wrap: stays
    EXPECT_EQ(sprite.stamp, FrameTimer::Now() + 50);
    sprite.wrap = 1;
    steps({{50, 0, 2}, {10, 1, 3}});  // exactly at its time: not yet; then wrapped to the last frame, not 0
    sprite.step = 1;
    steps({{60, 1, 0}});
}

TEST_F(SpriteTest, DrawingReportsTheSpritesAreaEvenWhenNothingShows) {
    // Centred: drawn from half its size back; 10.7 - 1 = 9.7 truncates to 9.
    sprite.AddFrame(FilledSurface(5, 3, kRed565));
    sprite.SetCentred(1);
    sprite.x = 10.0f;
    sprite.y = 10.7f;
    sprite.Draw(target.get());
    EXPECT_EQ(PixelsAt(target.get(), {{7, 9}, {8, 9}, {12, 11}, {13, 9}}),
              (std::vector<uint16_t>{kWhite565, kRed565, kRed565, kWhite565}));
    EXPECT_EQ(Reported(), (Rects{{8, 9, 5, 3}}));
    EXPECT_EQ(g_DirtyRects.lists[g_DirtyRects.page]->Get(0)->flags, DirtyRect::kOneShot | DirtyRect::kFromBackground);
    g_DirtyRects.lists[g_DirtyRects.page]->DeleteAll();

    // Invisible: nothing drawn, the area still reported.
    Sprite hidden;
    hidden.AddFrame(FilledSurface(4, 4, kGreen565));
    hidden.SetPosition(2, 30);
    hidden.SetVisible(0);
    hidden.Draw(target.get());
    EXPECT_EQ(PixelAt(target.get(), 3, 31), kWhite565);
    // No frame: nothing drawn or reported, but a restore before drawing still
    // reports the sprite's own area, even when centred.
    hidden.SetVisible(1);
    hidden.SetFrameIndex(-1);
    hidden.Draw(target.get());
    hidden.SetFrameIndex(1);
    hidden.Draw(target.get());
    hidden.restoreBeforeDraw = 1;
    hidden.SetCentred(1);
    hidden.SetPosition(20, 20);
    hidden.Draw(target.get());
    EXPECT_EQ(Reported(), (Rects{{2, 30, 4, 4}, {20, 20, 4, 4}}));
}

TEST_F(SpriteTest, DrawPartBlitsTheBlockAtTheGivenPlaceAndReportsIt) {
    plat::Surface* picture = FilledSurface(6, 6, kRed565);
    SetPixelAt(picture, 3, 2, kGreen565);
    sprite.AddFrame(picture);
    sprite.SetCentred(1);  // no effect on parts
    sprite.DrawPart(2, 2, 2, 2, target.get(), 30, 31);
    EXPECT_EQ(PixelsAt(target.get(), {{31, 31}, {30, 32}, {32, 31}}),
              (std::vector<uint16_t>{kGreen565, kRed565, kWhite565}));
    EXPECT_EQ(Reported(), (Rects{{30, 31, 2, 2}}));
}

TEST_F(SpriteTest, LoadingCutsStripsAndSheetsAndRefusesWhatWouldDivideByZero) {
    OpenDisplay();  // frames are cut into display surfaces
    WriteSolidBmp(Dir().Path() / "strip.bmp", 30, 10, kRed565);
    EXPECT_EQ(sprite.LoadStrip("strip.bmp", 3, 0), 3);
    EXPECT_EQ(std::make_pair(sprite.width, sprite.last), std::make_pair(30, 3));
    sprite.SplitWidth();
    EXPECT_EQ(sprite.width, 10);
    EXPECT_EQ(sprite.frames->Get(2)->Width(), 10);

    Sprite stacked;
    EXPECT_EQ(stacked.LoadStrip("strip.bmp", 2, 1), 2);
    EXPECT_EQ(stacked.frames->Get(0)->Height(), 5);

    // Sizes that would divide by zero and missing files add nothing; a missing frame is named.
    Sprite refused;
    EXPECT_EQ(refused.LoadStrip("strip.bmp", 0, 0), 0);
    EXPECT_EQ(refused.LoadStrip("strip.bmp", 31, 0), 0);  // cells 0 pixels wide
    EXPECT_EQ(refused.LoadSheet("strip.bmp", 0, 5), 0);
    EXPECT_EQ(refused.LoadStrip("gone.bmp", 2, 0), 0);
    EXPECT_EQ(refused.LoadFrame("gone.bmp"), 1);
    EXPECT_EQ(plat::HeadlessDisplay().LastError(), "gone.bmp");
    EXPECT_EQ(refused.frames->Count(), 0);

    EXPECT_EQ(refused.LoadSheet("strip.bmp", 10, 5), 6);
    EXPECT_EQ(std::make_pair(refused.width, refused.height), std::make_pair(10, 5));
}

TEST_F(SpriteTest, PoolCopySharesTheTemplatesFramesAndStartsAtTheRangesStart) {
    Sprite templateSprite;
    SetUpTemplate(templateSprite, "bonus", Sprite::kLoop, 0);
    templateSprite.SetFrameIndex(0);
    templateSprite.SetRange(1, 2);
    plat::HeadlessClock().Advance(30);
    Sprite* copy = g_SpritePool.Create(&templateSprite);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->frames->Get(1) == templateSprite.frames->Get(1) && copy->sharesFrames == 1);
    EXPECT_EQ(copy->stamp, FrameTimer::Now());
    EXPECT_EQ(std::make_pair(templateSprite.frame, copy->frame), std::make_pair(1, 1));
    EXPECT_TRUE(g_SpritePool.Find("bonus") == copy && g_SpritePool.Find("Bonus") == nullptr);

    // Destroying the copy leaves the template's surfaces alone (else a use after free).
    g_SpritePool.Remove("bonus");
    EXPECT_EQ(g_SpritePool.Find("bonus"), nullptr);
    EXPECT_EQ(PixelAt(templateSprite.frames->Get(1), 0, 0), kGreen565);

    // Without a range a copy starts at frame 0 and never advances.
    templateSprite.SetRange(-1, -1);
    templateSprite.SetFrameIndex(1);
    copy = g_SpritePool.Create(&templateSprite);
    for (int i = 0; i < 2; ++i) PoolFrame();
    EXPECT_EQ(copy->frame, 0);
}

TEST_F(SpriteTest, PoolVanishedCopiesAreRemovedAtTheEndOfTheirLastUpdate) {
    Sprite vanishing;
    SetUpTemplate(vanishing, "a", Sprite::kPlayOnceVanish, 0);
    Sprite looping;
    SetUpTemplate(looping, "c", Sprite::kLoop, 20);
    // The second of two vanishing copies moves into the first's slot and must be examined too.
    g_SpritePool.Create(&vanishing);
    vanishing.SetName("b");
    vanishing.SetPosition(10, 0);
    g_SpritePool.Create(&vanishing);
    g_SpritePool.Create(&looping);

    PoolFrame();
    EXPECT_EQ(PixelsAt(target.get(), {{0, 0}, {10, 0}}), (std::vector<uint16_t>{kGreen565, kGreen565}));
    EXPECT_EQ(g_SpritePool.sprites->Count(), 3);

    PoolFrame();
    ASSERT_EQ(g_SpritePool.sprites->Count(), 1);
    EXPECT_EQ(g_SpritePool.sprites->Get(0)->frame, 0);  // "c" looped round
    EXPECT_EQ(PixelAt(target.get(), 20, 0), kRed565);
}

TEST_F(SpriteTest, PoolStepAllDrawsSteppedCopiesIntoTheBackground) {
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
