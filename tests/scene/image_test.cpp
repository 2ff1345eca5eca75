#include "scene/image.h"

#include <gtest/gtest.h>

#include "headless_shell.h"
#include "surface_test_util.h"

namespace {

class ImageTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();
    }
};

TEST_F(ImageTest, LoadNamesTheImageAndKeysPureBlue) {
    WriteSolidBmp(Dir().Path() / "a.bmp", 7, 5, 0, 0, 255);
    Image image("a.bmp");
    EXPECT_STREQ(image.GetName(), "a.bmp");
    EXPECT_EQ(image.width, 7);
    EXPECT_EQ(image.height, 5);
    plat::Surface* target = FilledSurface(10, 10, kWhite565);
    image.Draw(target, 1, 1);
    EXPECT_EQ(PixelAt(target, 2, 2), kWhite565);  // all of it is the key colour
    image.SetName(nullptr);
    EXPECT_STREQ(image.GetName(), "");
    target->Release();
}

TEST_F(ImageTest, FailedLoadKeepsTheOldNameAndDrawsNothing) {
    Image image;
    image.SetName("kept");
    EXPECT_EQ(image.Load("missing.bmp"), nullptr);
    EXPECT_STREQ(image.GetName(), "kept");
    plat::Surface* target = FilledSurface(4, 4, kWhite565);
    EXPECT_EQ(image.Draw(target, 0, 0), 0);
    target->Release();
}

TEST_F(ImageTest, SetupOverridesTheStoredSizeButDrawsTheWholeBitmap) {
    WriteSolidBmp(Dir().Path() / "r.bmp", 4, 4, 255, 0, 0);
    Image image;
    image.Setup("red", "r.bmp", 2, 3, 0, 9);
    EXPECT_STREQ(image.GetName(), "r.bmp");  // loading names it after the file
    EXPECT_EQ(image.x, 2);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 9);
    plat::Surface* target = FilledSurface(8, 8, kWhite565);
    image.Draw(target, 5, 6);  // partly outside: the visible part only
    EXPECT_EQ(PixelAt(target, 7, 7), kRed565);
    EXPECT_EQ(PixelAt(target, 4, 7), kWhite565);
    target->Release();
}

}  // namespace
