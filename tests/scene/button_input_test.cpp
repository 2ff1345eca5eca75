// The button's two state machines: Poll from the mouse state once per frame,
// OnMessage from window messages.
#include <gtest/gtest.h>

#include "headless_shell.h"
#include "platform/messages.h"
#include "scene/button.h"
#include "surface_test_util.h"

namespace {

constexpr int32_t kHeld = 1;
constexpr int32_t kUp = 0;

// A 20 by 10 button at (10, 10): x 10..29, y 10..19 are inside for Poll.
class ButtonInputTest : public HeadlessShell {
protected:
    void TearDown() override {
        SetClickOnPress(0);
        HeadlessShell::TearDown();
    }
    int Message(uint32_t message, int32_t x, int32_t y) {
        return button.OnMessage(message, 0, plat::MakeLParam(x, y));
    }
    Button button{10, 10, 20, 10};
};

TEST_F(ButtonInputTest, RightAndBottomEdgesAreOutsideForPollButInsideForMessages) {
    button.Poll(30, 15, kUp);
    EXPECT_EQ(button.IsHovered(), 0);
    button.Poll(15, 20, kUp);
    EXPECT_EQ(button.IsHovered(), 0);
    button.Poll(29, 19, kUp);
    EXPECT_EQ(button.IsHovered(), 1);
    button.Poll(9, 15, kUp);
    EXPECT_EQ(button.IsHovered(), 0);

    EXPECT_EQ(Message(plat::WM_MOUSEMOVE, 30, 20), Button::kHovered);
    EXPECT_EQ(button.IsHovered(), 1);
    EXPECT_EQ(Message(plat::WM_MOUSEMOVE, 31, 15), Button::kNormal);
}

TEST_F(ButtonInputTest, PressReleasedOverTheButtonClicksOnceWithTheLeftButton) {
    EXPECT_EQ(button.Poll(15, 15, kUp), Button::kHovered);
    EXPECT_EQ(button.Poll(15, 15, kHeld), Button::kPressed);
    EXPECT_EQ(button.WasClicked(), 0);
    EXPECT_EQ(button.Poll(15, 15, kUp), Button::kHovered);
    EXPECT_EQ(button.WasClicked(), 1);
    EXPECT_EQ(button.clickButton, 1);
    // The click lasts one poll.
    button.Poll(15, 15, kUp);
    EXPECT_EQ(button.WasClicked(), 0);
}

TEST_F(ButtonInputTest, PressMovedOffAndReleasedGivesNoClick) {
    button.Poll(15, 15, kHeld);
    EXPECT_EQ(button.Poll(50, 50, kHeld), Button::kNormal);
    button.Poll(50, 50, kUp);
    EXPECT_EQ(button.WasClicked(), 0);
    EXPECT_EQ(button.Poll(15, 15, kUp), Button::kHovered);
    EXPECT_EQ(button.WasClicked(), 0);
}

TEST_F(ButtonInputTest, PressOutsideDraggedOnPressesWithoutClickAndTheReleaseClicks) {
    button.Poll(50, 50, kHeld);
    EXPECT_EQ(button.Poll(15, 15, kHeld), Button::kPressed);
    EXPECT_EQ(button.WasClicked(), 0);
    button.Poll(15, 15, kUp);
    EXPECT_EQ(button.WasClicked(), 1);
}

TEST_F(ButtonInputTest, ClickOnPressReportsThePressAndNotTheRelease) {
    SetClickOnPress(1);
    button.Poll(15, 15, kHeld);
    EXPECT_EQ(button.WasClicked(), 1);
    button.Poll(15, 15, kHeld);
    EXPECT_EQ(button.WasClicked(), 0);
    button.Poll(15, 15, kUp);
    EXPECT_EQ(button.WasClicked(), 0);
    EXPECT_EQ(button.GetState(), Button::kHovered);
}

TEST_F(ButtonInputTest, DisabledButtonNeitherChangesStateNorClicks) {
    button.Poll(15, 15, kHeld);
    button.SetEnabled(0);
    EXPECT_EQ(button.Poll(15, 15, kUp), Button::kPressed);
    EXPECT_EQ(button.WasClicked(), 0);
    EXPECT_EQ(Message(plat::WM_LBUTTONUP, 15, 15), Button::kPressed);
    EXPECT_EQ(button.WasClicked(), 0);
}

TEST_F(ButtonInputTest, PixelTestIgnoresPressesOnPureBlueOfTheFirstFrame) {
    plat::Surface* picture = FilledSurface(20, 10, kRed565);
    for (int y = 0; y < 10; ++y) SetPixelAt(picture, 0, y, kBlue565);
    button.AddFrame(0, picture);
    button.SetPixelTest(1);
    EXPECT_EQ(button.Poll(10, 15, kHeld), Button::kNormal);  // blue column
    EXPECT_EQ(button.Poll(10, 15, kUp), Button::kNormal);
    EXPECT_EQ(button.Poll(11, 15, kHeld), Button::kPressed);
    EXPECT_EQ(button.Poll(11, 15, kUp), Button::kHovered);
    EXPECT_EQ(button.WasClicked(), 1);
    picture->Release();
}

TEST_F(ButtonInputTest, PixelTestWithoutAFrameNeverPresses) {
    button.SetPixelTest(1);
    EXPECT_EQ(button.Poll(15, 15, kHeld), Button::kNormal);
    EXPECT_EQ(button.Poll(15, 15, kUp), Button::kNormal);
    EXPECT_EQ(button.WasClicked(), 0);
}

TEST_F(ButtonInputTest, MessagesClickOnEveryReleaseOverTheButtonAndRightClicksKeepTheState) {
    EXPECT_EQ(Message(plat::WM_MOUSEMOVE, 15, 15), Button::kHovered);
    EXPECT_EQ(Message(plat::WM_LBUTTONDOWN, 15, 15), Button::kPressed);
    EXPECT_EQ(Message(plat::WM_MOUSEMOVE, 16, 16), Button::kPressed);
    EXPECT_EQ(Message(plat::WM_LBUTTONUP, 16, 16), Button::kHovered);
    EXPECT_EQ(button.WasClicked(), 1);
    EXPECT_EQ(button.clickButton, 1);

    EXPECT_EQ(Message(plat::WM_RBUTTONUP, 16, 16), Button::kHovered);
    EXPECT_EQ(button.WasClicked(), 1);
    EXPECT_EQ(button.clickButton, 2);
    Message(plat::WM_RBUTTONUP, 50, 16);
    EXPECT_EQ(button.WasClicked(), 0);

    Message(plat::WM_LBUTTONDOWN, 15, 15);
    EXPECT_EQ(Message(plat::WM_LBUTTONUP, 50, 50), Button::kNormal);
    EXPECT_EQ(button.WasClicked(), 0);
}

}  // namespace
