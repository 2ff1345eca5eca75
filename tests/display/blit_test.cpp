#include "display/blit.h"

#include <gtest/gtest.h>

#include "surface_test_util.h"

namespace {

// A 10 by 4 source whose column c holds the value c + 1 in every row.
plat::Surface* ColumnRamp() {
    plat::Surface* s = FilledSurface(10, 4, 0);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 4; ++y) SetPixelAt(s, x, y, static_cast<uint16_t>(x + 1));
    return s;
}

class Blit : public ::testing::Test {
protected:
    void TearDown() override {
        source->Release();
        target->Release();
    }
    plat::Surface* source = ColumnRamp();
    plat::Surface* target = FilledSurface(20, 8, kWhite565);
};

TEST_F(Blit, NegativePositionsDropTheLeadingColumnsAndRows) {
    EXPECT_EQ(BlitAt(source, target, -5, -2, plat::DDBLT_WAIT), plat::DD_OK);
    EXPECT_EQ(PixelAt(target, 0, 0), 6);  // column 5 of the source
    EXPECT_EQ(PixelAt(target, 4, 1), 10);
    EXPECT_EQ(PixelAt(target, 5, 0), kWhite565);
    EXPECT_EQ(PixelAt(target, 0, 2), kWhite565);  // only two rows were left
}

TEST_F(Blit, OverhangRightAndBottomIsCut) {
    EXPECT_EQ(BlitAt(source, target, 15, 6, plat::DDBLT_WAIT), plat::DD_OK);
    EXPECT_EQ(PixelAt(target, 15, 6), 1);
    EXPECT_EQ(PixelAt(target, 19, 7), 5);
    EXPECT_EQ(PixelAt(target, 14, 6), kWhite565);
    EXPECT_EQ(PixelAt(target, 15, 5), kWhite565);
}

TEST_F(Blit, BlocksWhollyOutsideAreRefusedAndDrawNothing) {
    for (auto [x, y] : {std::pair{20, 0}, {-10, 0}, {0, 8}, {0, -4}, {-30, -30}}) {
        EXPECT_NE(BlitAt(source, target, x, y, plat::DDBLT_WAIT), plat::DD_OK) << x << "," << y;
    }
    for (int x = 0; x < 20; ++x) EXPECT_EQ(PixelAt(target, x, 0), kWhite565);
}

TEST_F(Blit, MissingSurfacesAreRefused) {
    EXPECT_EQ(BlitRect(source, 0, 0, 4, 4, nullptr, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(BlitRect(nullptr, 0, 0, 4, 4, target, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(BlitAt(source, nullptr, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(BlitAt(nullptr, target, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(PixelAt(target, 0, 0), kWhite565);
}

TEST_F(Blit, BlitRectTakesTheSourceBlockAndClipsIt) {
    EXPECT_EQ(BlitRect(source, 3, 1, 4, 2, target, -1, 7, plat::DDBLT_WAIT), plat::DD_OK);
    EXPECT_EQ(PixelAt(target, 0, 7), 5);  // source column 4
    EXPECT_EQ(PixelAt(target, 2, 7), 7);
    EXPECT_EQ(PixelAt(target, 3, 7), kWhite565);
}

TEST_F(Blit, KeyedBlitLeavesPureBlueOut) {
    SetPixelAt(source, 2, 0, kBlue565);
    source->SetColorKey(kBlue565);
    BlitAt(source, target, 0, 0, kKeyedBlit);
    EXPECT_EQ(PixelAt(target, 2, 0), kWhite565);
    EXPECT_EQ(PixelAt(target, 3, 0), 4);
    // An opaque copy takes the key colour as it is.
    BlitAt(source, target, 0, 0, plat::DDBLT_WAIT);
    EXPECT_EQ(PixelAt(target, 2, 0), kBlue565);
}

TEST(CentreRect, CentresWithTruncatingDivisions) {
    plat::Surface* s = plat::Surface::Create(530, 294);
    plat::Rect r{};
    CentreRect(s, 135, 153, 530, 294, &r);
    EXPECT_EQ(r.left, 135);
    EXPECT_EQ(r.bottom, 153 + 294);
    CentreRect(s, 0, 0, 801, 601, &r);
    EXPECT_EQ(r.left, 400 - 265);
    EXPECT_EQ(r.top, 300 - 147);
    EXPECT_EQ(r.right, r.left + 530);
    s->Release();
}

}  // namespace
