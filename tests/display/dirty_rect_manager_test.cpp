#include "display/dirty_rect_manager.h"

#include <gtest/gtest.h>

#include "surface_test_util.h"

namespace {

// The manager over a 20 by 10 background (green) and backdrop (white), with a
// red target standing for the back buffer.
class DirtyRects : public ::testing::Test {
protected:
    void SetUp() override {
        manager.SetBackground(background);
        manager.SetBackdrop(backdrop);
    }
    void TearDown() override {
        for (auto* s : {background, backdrop, target, other}) s->Release();
    }
    int Count(int page) { return manager.lists[page]->Count(); }
    // Turns the page that many times, then restores onto the target.
    void FlipAndRestore(int flips = 1) {
        for (int i = 0; i < flips; ++i) manager.FlipPage();
        manager.Restore(target);
    }
    void RedTarget() { target->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL, kRed565); }

    DirtyRectManager manager;
    plat::Surface* background = FilledSurface(20, 10, kGreen565);
    plat::Surface* backdrop = FilledSurface(20, 10, kWhite565);
    plat::Surface* target = FilledSurface(20, 10, kRed565);
    plat::Surface* other = FilledSurface(20, 10, 0);
};

TEST_F(DirtyRects, OneShotsAreRestoredOnTheirOwnPageTwoFramesLaterOnceAndLastingOnesEveryPass) {
    // A lasting rectangle between one-shots: freeing them passes none by.
    for (int i = 0; i < 3; ++i) {
        manager.AddRectFlags(i * 5, 0, 2, 2, DirtyRect::kOneShot, DirtyRect::kFromBackground);
        if (i == 1) manager.AddRectFlags(18, 8, 2, 2, 0, DirtyRect::kFromBackground);
    }
    FlipAndRestore();  // frame 1: the other page
    EXPECT_EQ(PixelAt(target, 0, 0), kRed565);
    EXPECT_EQ(Count(0), 4);
    FlipAndRestore();  // frame 2: page 0 again
    EXPECT_EQ(PixelsAt(target, {{0, 0}, {5, 1}, {10, 0}, {18, 8}, {2, 0}}),
              (std::vector<uint16_t>{kGreen565, kGreen565, kGreen565, kGreen565, kRed565}));
    EXPECT_EQ(Count(0), 1);
    RedTarget();
    FlipAndRestore(2);
    EXPECT_EQ(PixelAt(target, 19, 9), kGreen565);
    EXPECT_EQ(Count(0), 1);
}

TEST_F(DirtyRects, BothPagesFlagAndSwitchRestoreOnEachPage) {
    manager.AddRectFlags(0, 0, 2, 2, DirtyRect::kOneShot | DirtyRect::kBothPages, DirtyRect::kFromBackground);
    manager.bothPages = 1;
    manager.AddRectFlags(4, 0, 2, 2, DirtyRect::kOneShot, DirtyRect::kFromBackground);
    EXPECT_EQ(std::make_pair(Count(0), Count(1)), std::make_pair(2, 2));
    FlipAndRestore();
    EXPECT_EQ(PixelsAt(target, {{0, 0}, {4, 0}}), (std::vector<uint16_t>{kGreen565, kGreen565}));
    RedTarget();
    FlipAndRestore();
    EXPECT_EQ(PixelAt(target, 0, 0), kGreen565);
    EXPECT_EQ(Count(0) + Count(1), 0);
}

TEST_F(DirtyRects, RectanglesOfAnOldBackgroundCopyNothingAndAreStillFreed) {
    manager.AddRectFlags(0, 0, 4, 4, DirtyRect::kOneShot, DirtyRect::kFromBackground);
    manager.FlipPage();
    manager.AddRectFlags(0, 0, 4, 4, DirtyRect::kOneShot, DirtyRect::kFromBackground);
    manager.SetBackground(other);  // drops page 1's pending one-shot at once
    EXPECT_EQ(Count(1), 0);
    FlipAndRestore();
    EXPECT_EQ(PixelAt(target, 1, 1), kRed565);
    EXPECT_EQ(Count(0), 0);
}

TEST_F(DirtyRects, PureBlueIsNeverCopiedByARestore) {
    SetPixelAt(background, 1, 1, kBlue565);
    SetPixelAt(backdrop, 12, 1, kBlue565);
    background->SetColorKey(kBlue565);
    backdrop->SetColorKey(kBlue565);
    manager.AddRectFlags(0, 0, 4, 4, DirtyRect::kOneShot, DirtyRect::kFromBackground);
    manager.AddRectFlags(10, 0, 4, 4, DirtyRect::kOneShot, DirtyRect::kFromBackdrop);
    manager.Restore(target);
    // Neither blue is copied; the backdrop refreshed the background before the restore.
    EXPECT_EQ(PixelsAt(target, {{1, 1}, {2, 1}, {13, 1}}), (std::vector<uint16_t>{kRed565, kGreen565, kWhite565}));
    EXPECT_EQ(PixelsAt(background, {{12, 1}, {13, 1}}), (std::vector<uint16_t>{kGreen565, kWhite565}));
}

TEST_F(DirtyRects, AddRectRefreshesTheBackgroundFromTheBackdrop) {
    manager.AddRect(1, 1, 2, 2);
    EXPECT_EQ(PixelsAt(background, {{1, 1}, {3, 3}}), (std::vector<uint16_t>{kWhite565, kGreen565}));
    manager.Restore(target);
    EXPECT_EQ(PixelAt(target, 2, 2), kWhite565);
    manager.SetBackground(nullptr);
    manager.RefreshAll();  // without a background: nothing
    EXPECT_EQ(Count(0), 0);
}

}  // namespace
