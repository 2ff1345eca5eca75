// A button's two input state machines (Poll and OnMessage), drawing, loading, and the list.
#include <array>
#include <cctype>
#include <tuple>

#include "display/dirty_rect_manager.h"
#include "headless_shell.h"
#include "runtime/frame_page.h"
#include "scene/button_list.h"
#include "surface_test_util.h"

namespace {

constexpr int32_t kHeld = 1;
constexpr int32_t kUp = 0;

// A 20 by 10 button at (10, 10): x 10..29, y 10..19 are inside for Poll.
class ButtonTest : public HeadlessShell {
protected:
    void TearDown() override {
        SetClickOnPress(0);
        HeadlessShell::TearDown();
    }
    // The button after each input: 'n' normal, 'h' hovered, 'p' pressed, in
    // capitals when it reports a click.
    char Letter() {
        const char letter = std::string("nhp").at(button.GetState());
        return button.WasClicked() ? std::toupper(letter) : letter;
    }
    std::string Polls(std::initializer_list<std::array<int32_t, 3>> polls) {
        std::string trace;
        for (auto [x, y, held] : polls) {
            button.Poll(x, y, held);
            trace += Letter();
        }
        return trace;
    }
    std::string Messages(std::initializer_list<std::array<int32_t, 3>> messages) {
        std::string trace;
        for (auto [message, x, y] : messages) {
            button.OnMessage(message, 0, plat::MakeLParam(x, y));
            trace += Letter();
        }
        return trace;
    }
    Button button{10, 10, 20, 10};
    OwnedSurface target{FilledSurface(60, 60, kWhite565)};
    OwnedSurface red{FilledSurface(4, 4, kRed565)};
    OwnedSurface green{FilledSurface(4, 4, kGreen565)};
};

constexpr int32_t kMove = plat::WM_MOUSEMOVE, kLeftDown = plat::WM_LBUTTONDOWN, kLeftUp = plat::WM_LBUTTONUP,
                  kRightUp = plat::WM_RBUTTONUP;

TEST_F(ButtonTest, RightAndBottomEdgesAreOutsideForPollButInsideForMessages) {
    EXPECT_EQ(Polls({{30, 15, kUp}, {15, 20, kUp}, {29, 19, kUp}, {9, 15, kUp}}), "nnhn");
    EXPECT_EQ(Messages({{kMove, 30, 20}, {kMove, 31, 15}}), "hn");
}

TEST_F(ButtonTest, PollClicksOnceOnAReleaseOverTheButtonOfAPressThatStayedOn) {
    EXPECT_EQ(Polls({{15, 15, kUp}, {15, 15, kHeld}, {15, 15, kUp}}), "hpH");
    EXPECT_EQ(button.clickButton, 1);
    // The click lasts one poll; a press moved off and released gives none, even coming back.
    EXPECT_EQ(Polls({{15, 15, kUp}, {15, 15, kHeld}, {50, 50, kHeld}, {50, 50, kUp}, {15, 15, kUp}}), "hpnnh");
    // Pressed outside and dragged on: pressed without a click; the release clicks.
    EXPECT_EQ(Polls({{50, 50, kHeld}, {15, 15, kHeld}, {15, 15, kUp}}), "npH");
}

TEST_F(ButtonTest, ClickOnPressReportsThePressAndADisabledButtonNeitherChangesNorClicks) {
    SetClickOnPress(1);
    EXPECT_EQ(Polls({{15, 15, kHeld}, {15, 15, kHeld}, {15, 15, kUp}}), "Pph");
    SetClickOnPress(0);
    button.Poll(15, 15, kHeld);
    button.SetEnabled(0);
    EXPECT_EQ(Polls({{15, 15, kUp}}), "p");
    EXPECT_EQ(Messages({{kLeftUp, 15, 15}}), "p");
}

TEST_F(ButtonTest, PixelTestIgnoresPressesOnPureBlueOfTheFirstFrameOrWithoutOne) {
    button.SetPixelTest(1);
    EXPECT_EQ(Polls({{15, 15, kHeld}, {15, 15, kUp}}), "nn");  // no frame yet
    OwnedSurface picture{FilledSurface(20, 10, kRed565)};
    for (int y = 0; y < 10; ++y) SetPixelAt(picture.get(), 0, y, kBlue565);
    button.AddFrame(0, picture.get());
    EXPECT_EQ(Polls({{10, 15, kHeld}, {10, 15, kUp}, {11, 15, kHeld}, {11, 15, kUp}}), "nnpH");  // x 10 is blue
}

TEST_F(ButtonTest, MessagesClickOnEveryReleaseOverTheButtonAndRightClicksKeepTheState) {
    EXPECT_EQ(Messages({{kMove, 15, 15}, {kLeftDown, 15, 15}, {kMove, 16, 16}, {kLeftUp, 16, 16}}), "hppH");
    EXPECT_EQ(button.clickButton, 1);
    EXPECT_EQ(Messages({{kRightUp, 16, 16}}), "H");
    EXPECT_EQ(button.clickButton, 2);
    // A right release off the button neither clicks nor changes the state.
    EXPECT_EQ(Messages({{kRightUp, 50, 16}, {kLeftDown, 15, 15}, {kLeftUp, 50, 50}}), "hpn");
}

TEST_F(ButtonTest, DrawShowsTheStatesFrameStretchedAndReportsItWhenAsked) {
    Button drawn(2, 2);
    drawn.Draw(target.get());  // no frames: nothing
    EXPECT_EQ(PixelAt(target.get(), 2, 2), kWhite565);
    drawn.AddFrame(0, red.get());
    drawn.AddFrame(1, green.get());
    drawn.SetState(Button::kPressed);
    drawn.Draw(target.get());
    EXPECT_EQ(PixelAt(target.get(), 2, 2), kGreen565);
    // State and frame base past the frames draw the last frame.
    drawn.SetState(Button::kNormal);
    drawn.frameBase = 1;
    drawn.SetForcedFrame(0);
    drawn.Draw(target.get());
    EXPECT_EQ(PixelAt(target.get(), 2, 2), kRed565);

    Button stretched(0, 0);
    stretched.AddFrame(0, red.get());
    stretched.width = stretched.height = 8;
    stretched.SetOffset(10, 20);
    stretched.SetMarkDirty(1);
    stretched.Draw(target.get());
    EXPECT_EQ(PixelsAt(target.get(), {{17, 27}, {18, 27}}), (std::vector<uint16_t>{kRed565, kWhite565}));
    PtrList<DirtyRect>& reported = *g_DirtyRects.lists[g_DirtyRects.page];
    ASSERT_EQ(reported.Count(), 1);
    const DirtyRect& r = *reported.Get(0);
    EXPECT_EQ(std::make_tuple(r.x, r.y, r.width), std::make_tuple(10, 20, 8));
    // Handed a page, it reports to that page's manager instead.
    DirtyRectManager own;
    FramePage page;
    page.dirtyRects = &own;
    stretched.page = &page;
    stretched.Draw(target.get());
    EXPECT_EQ(std::make_pair(reported.Count(), own.lists[own.page]->Count()), std::make_pair(1, 1));
}

TEST_F(ButtonTest, ListSetOffsetMovesPictureAndHitRectangleOfEveryButton) {
    ButtonList list;
    auto* first = new Button(0, 0);
    first->AddFrame(0, red.get());
    auto* second = new Button(30, 30, 5, 5);
    second->SetName("second");
    list.Add(first);
    list.Add(second);
    list.SetOffset(10, 20);

    first->Draw(target.get());
    EXPECT_EQ(PixelsAt(target.get(), {{10, 20}, {0, 0}}), (std::vector<uint16_t>{kRed565, kWhite565}));
    list.PollAll(41, 51, 0);
    EXPECT_EQ(list.GetHovered(), second);
    list.PollAll(12, 21, 0);
    EXPECT_EQ(list.GetHovered(), first);
    EXPECT_EQ(list.Find("second"), second);
}

TEST_F(ButtonTest, ListGetClickedSkipsDisabledButtonsEvenWithTheirFlagSet) {
    ButtonList list;
    auto *off = new Button(0, 0, 10, 10), *on = new Button(0, 0, 10, 10);
    off->SetName("off");
    on->SetName("on");
    list.Add(off);
    list.Add(on);
    for (int held : {1, 0}) list.PollAll(5, 5, held);
    ASSERT_EQ(list.GetClicked(), off);
    EXPECT_EQ(list.IsClicked("on"), 0);  // only the first clicked counts

    off->SetEnabled(0);
    EXPECT_EQ(off->WasClicked(), 1);
    EXPECT_TRUE(list.GetClicked() == on && list.IsClicked("on") == 1);

    list.Delete("on");
    EXPECT_EQ(list.Find("on"), nullptr);
    EXPECT_EQ(list.GetClicked(), nullptr);
}

TEST_F(ButtonTest, StripAddsExactlyCountFramesOrNone) {
    OpenDisplay();  // strips are cut into display surfaces
    WriteSolidBmp(Dir().Path() / "strip.bmp", 30, 10, kRed565);
    Button loaded(0, 0);
    EXPECT_TRUE(loaded.LoadStrip("strip.bmp", 3, 0));
    ASSERT_EQ(loaded.frames->Count(), 3);
    EXPECT_EQ(std::make_tuple(loaded.frames->Get(2)->id, loaded.width, loaded.hitHeight), std::make_tuple(2, 10, 10));

    Button uneven(0, 0);
    // Each refusal says why, naming the file.
    EXPECT_EQ(uneven.LoadStrip("strip.bmp", 8, 0).Why(), "strip.bmp: cut into 10 pictures, not 8");  // cells 3 wide
    EXPECT_EQ(uneven.LoadStrip("strip.bmp", 0, 0).Why(), "strip.bmp: a strip cannot hold 0 pictures");
    EXPECT_EQ(uneven.LoadStrip("strip.bmp", 31, 0).Why(), "strip.bmp: frame size 0 by 10 is not positive");
    EXPECT_EQ(uneven.LoadStrip("gone.bmp", 1, 0).Why(), "Cannot load gone.bmp: No such file or directory");
    EXPECT_EQ(uneven.frames->Count(), 0);
    EXPECT_EQ(uneven.LoadFrame(5, "gone.bmp"), 0);
    EXPECT_EQ(uneven.LoadFrame(5, "strip.bmp"), 1);
    EXPECT_EQ(uneven.width, 30);  // the leak check sees the frames released with the buttons
}

}  // namespace
