#include "display/surface_ops.h"

#include "display/frames.h"
#include "headless_shell.h"
#include "surface_test_util.h"

namespace {

TEST(RGBToPixel, PacksChannelsForEachLayout) {
    plat::Surface* s565 = plat::Surface::Create(1, 1, SDL_PIXELFORMAT_RGB565);
    plat::Surface* s555 = plat::Surface::Create(1, 1, SDL_PIXELFORMAT_RGB555);
    plat::Surface* s888 = plat::Surface::Create(1, 1, SDL_PIXELFORMAT_RGB888);
    EXPECT_EQ(RGBToPixel(s565, 0, 0, 255), 0x001Fu);
    EXPECT_EQ(RGBToPixel(s565, 255, 255, 255), 0xFFFFu);
    EXPECT_EQ(RGBToPixel(s565, 255, 0, 0), 0xF800u);
    EXPECT_EQ(RGBToPixel(s555, 255, 255, 255), 0x7FFFu);
    EXPECT_EQ(RGBToPixel(s555, 0, 255, 0), 0x03E0u);
    EXPECT_EQ(RGBToPixel(s888, 1, 2, 3), 0x010203u);
    SetColorKeyRGB(s565, 0, 0, 255);
    EXPECT_EQ(s565->GetColorKey(), 0x001Fu);
    for (auto* s : {s565, s555, s888}) s->Release();
}

TEST(GetPixel, ReadsEveryDepthAndGivesZeroOutside) {
    struct Case { uint32_t format, expected; };
    for (Case c : {Case{SDL_PIXELFORMAT_INDEX8, 0x7Bu}, Case{SDL_PIXELFORMAT_RGB565, 0xBEEFu},
                   Case{SDL_PIXELFORMAT_RGB24, 0x123456u}, Case{SDL_PIXELFORMAT_ARGB8888, 0x89ABCDEFu}}) {
        plat::Surface* s = plat::Surface::Create(4, 3, c.format);
        plat::SurfaceDesc d{};
        auto* p = static_cast<uint8_t*>(s->Lock(&d));
        const int bytes = static_cast<int>(d.format.bitsPerPixel / 8);
        for (int i = 0; i < bytes; ++i) p[d.pitch * 2 + bytes * 3 + i] = static_cast<uint8_t>(c.expected >> (8 * i));
        s->Unlock();
        EXPECT_EQ(GetPixel(s, 3, 2), c.expected) << d.format.bitsPerPixel;
        EXPECT_EQ(GetPixel(s, 2, 2) | GetPixel(s, 4, 0) | GetPixel(s, 0, 3) | GetPixel(s, -1, 0), 0u);
        s->Release();
    }
}

class Frames : public HeadlessShell {};

TEST_F(Frames, SlicingDropsPartialColumnsAndRowsAndKeepsRowMajorOrder) {
    OpenDisplay();
    plat::Surface* strip = FilledSurface(100, 70, 0);
    // Mark each 30 by 30 cell with its index in its top left pixel.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) SetPixelAt(strip, col * 30, row * 30, static_cast<uint16_t>(row * 3 + col + 1));
    PtrList<plat::Surface> frames(1);
    int32_t columns = 0;
    ASSERT_TRUE(SliceFrames(strip, &frames, 30, 30, &columns));
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(frames.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(frames.Get(i)->Width(), 30);
        EXPECT_EQ(PixelAt(frames.Get(i), 0, 0), i + 1);
        EXPECT_EQ(frames.Get(i)->GetColorKey(), kBlue565);
    }
    EXPECT_EQ(SliceFrames(strip, &frames, 0, 30, nullptr).Why(), "frame size 0 by 30 is not positive");
    EXPECT_EQ(frames.Count(), 6);
    for (int i = 0; i < frames.Count(); ++i) frames.Get(i)->Release();
    strip->Release();
}

// A loaded strip is cut as SliceFrames cuts it (SpriteTest loads sheets through LoadFrames).
TEST_F(Frames, LoadFramesAndCreateSurfaceNeedTheDisplayAndAFile) {
    EXPECT_EQ(CreateSurface(4, 4), nullptr);
    OpenDisplay();
    OwnedSurface s{CreateSurface(4, 4)};
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->GetColorKey() == 0u && s->GetSurfaceDesc().format.bitsPerPixel == 16u);
    PtrList<plat::Surface> frames(1);
    EXPECT_EQ(LoadFrames("missing.bmp", &frames, 10, 10, nullptr).Why(),
              "Cannot load missing.bmp: No such file or directory");
    EXPECT_EQ(frames.Count(), 0);
}

}  // namespace
