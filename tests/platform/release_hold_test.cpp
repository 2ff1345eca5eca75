// A quick click's release waits for the next present, and never longer than
// a tenth of a second: a loop that pumps without presenting must still see it.
#include "platform/release_hold.h"

#include <gtest/gtest.h>

#include "platform/message_codes.h"

namespace {

TEST(ReleaseHold, OnlyAReleaseOfAButtonPressedSinceThePresentWaitsAndNotForLong) {
    plat::ReleaseHold hold;
    const int32_t left = plat::ReleaseHold::ButtonReleased(plat::WM_LBUTTONUP);
    const int32_t right = plat::ReleaseHold::ButtonReleased(plat::WM_RBUTTONUP);
    EXPECT_FALSE(hold.MustWait(left, 0));  // no press seen
    hold.Pressed(plat::ReleaseHold::ButtonPressed(plat::WM_LBUTTONDOWN), 1000);
    hold.Pressed(plat::ReleaseHold::ButtonPressed(plat::WM_MOUSEMOVE), 1050);  // not a press
    EXPECT_TRUE(hold.MustWait(left, 1099));
    EXPECT_FALSE(hold.MustWait(left, 1100));
    EXPECT_FALSE(hold.MustWait(right, 1001));
    hold.Presented();
    EXPECT_FALSE(hold.MustWait(left, 1001));
}

}  // namespace
