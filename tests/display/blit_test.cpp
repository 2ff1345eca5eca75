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

TEST_F(Blit, BlocksAreClippedOnEverySideAndWhollyOutsideOrMissingAreRefused) {
    // Each row: source block (x, y, width, height), place, then the colours at
    // three points of the target: inside, past the block's end, and one before it.
    struct Case { int sx, sy, w, h, x, y; std::vector<std::pair<int, int>> at; std::vector<uint16_t> colours; };
    const Case cases[] = {
        {0, 0, 10, 4, -5, -2, {{0, 0}, {4, 1}, {5, 0}, {0, 2}}, {6, 10, kWhite565, kWhite565}},  // lead cut
        {0, 0, 10, 4, 15, 6, {{15, 6}, {19, 7}, {14, 6}, {15, 5}}, {1, 5, kWhite565, kWhite565}},  // overhang
        {3, 1, 4, 2, -1, 7, {{0, 7}, {2, 7}, {3, 7}, {0, 6}}, {5, 7, kWhite565, kWhite565}},       // a block
    };
    for (const Case& c : cases) {
        target->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL, kWhite565);
        const bool whole = c.w == 10;  // the whole source through BlitAt
        EXPECT_EQ(whole ? BlitAt(source, target, c.x, c.y, plat::DDBLT_WAIT)
                        : BlitRect(source, c.sx, c.sy, c.w, c.h, target, c.x, c.y, plat::DDBLT_WAIT),
                  plat::DD_OK);
        std::vector<uint16_t> colours;
        for (auto [x, y] : c.at) colours.push_back(PixelAt(target, x, y));
        EXPECT_EQ(colours, c.colours) << c.x << "," << c.y;
    }
    target->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL, kWhite565);
    for (auto [x, y] : {std::pair{20, 0}, {-10, 0}, {0, 8}, {0, -4}, {-30, -30}})
        EXPECT_NE(BlitAt(source, target, x, y, plat::DDBLT_WAIT), plat::DD_OK) << x << "," << y;
    EXPECT_EQ(BlitRect(source, 0, 0, 4, 4, nullptr, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(BlitRect(nullptr, 0, 0, 4, 4, target, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(BlitAt(source, nullptr, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    EXPECT_EQ(BlitAt(nullptr, target, 0, 0, kKeyedBlit), plat::DDERR_INVALIDPARAMS);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(PixelAt(target, x, 0), kWhite565);
}

TEST_F(Blit, KeyedBlitLeavesPureBlueOut) {
    SetPixelAt(source, 2, 0, kBlue565);
    source->SetColorKey(kBlue565);
    BlitAt(source, target, 0, 0, kKeyedBlit);
    EXPECT_EQ(PixelsAt(target, {{2, 0}, {3, 0}}), (std::vector<uint16_t>{kWhite565, 4}));
    // Clipped at the left edge, the spans land shifted by the cut.
    target->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL, kWhite565);
    BlitAt(source, target, -1, 0, kKeyedBlit);
    EXPECT_EQ(PixelsAt(target, {{0, 0}, {1, 0}, {2, 0}, {8, 0}, {9, 0}}),
              (std::vector<uint16_t>{2, kWhite565, 4, 10, kWhite565}));
    // An opaque copy takes the key colour as it is.
    BlitAt(source, target, 0, 0, plat::DDBLT_WAIT);
    EXPECT_EQ(PixelAt(target, 2, 0), kBlue565);
}

TEST(CentreRect, CentresWithTruncatingDivisions) {
    plat::Surface* s = plat::Surface::Create(530, 294);
    plat::Rect r{};
    CentreRect(s, 135, 153, 530, 294, &r);
    EXPECT_EQ(std::make_pair(r.left, r.bottom), std::make_pair(135, 153 + 294));
    CentreRect(s, 0, 0, 801, 601, &r);
    EXPECT_EQ(std::vector<int>({r.left, r.top, r.right}), std::vector<int>({400 - 265, 300 - 147, 400 - 265 + 530}));
    s->Release();
}

}  // namespace
