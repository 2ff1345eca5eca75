// NumberSprite: loading the digit strip, and DrawNumber's text, alignment,
// zero fill, minus sign and spacing, checked on real pixels.
#include "game/number_sprite.h"

#include "headless_shell.h"
#include "surface_test_util.h"

namespace {

constexpr int kDigitWidth = 13;
constexpr int kDigitHeight = 20;

// Each digit d is drawn in red 16 * d, green 255: as RGB565, red 2d and full green.
constexpr uint16_t DigitColour(int d) { return static_cast<uint16_t>((2 * d) << 11 | 0x3F << 5); }

class NumberSpriteTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();  // frames are cut into display surfaces
        SDL_Surface* strip = SDL_CreateRGBSurfaceWithFormat(0, 10 * kDigitWidth, kDigitHeight, 24, SDL_PIXELFORMAT_RGB24);
        for (int d = 0; d < 10; ++d) {
            SDL_Rect cell{d * kDigitWidth, 0, kDigitWidth, kDigitHeight};
            SDL_FillRect(strip, &cell, SDL_MapRGB(strip->format, static_cast<Uint8>(16 * d), 255, 0));
        }
        ASSERT_EQ(SDL_SaveBMP(strip, "digits.bmp"), 0);
        SDL_FreeSurface(strip);
        ASSERT_EQ(number.LoadFrame("digits.bmp"), 1);
        number.SetMarkDirty(0);
    }
    NumberSprite number;
    OwnedSurface target{FilledSurface(800, 30, kWhite565)};
};

TEST_F(NumberSpriteTest, ZeroFillAlignmentMinusSignAndSpacingPlaceEveryDigit) {
    EXPECT_EQ(std::make_pair(number.frames->Count(), number.width), std::make_pair(10, kDigitWidth));  // ten digits
    constexpr uint16_t W = kWhite565;
    // Each row: digits, alignment, spacing, the number and its x, then the
    // runs of colour along a row of the digits from x0 on.
    struct Case { int digits, align, spacing, value, x, x0; std::vector<std::pair<int, uint16_t>> runs; };
    const Case cases[] = {
        // "005", 39 pixels centred on 712: from 693.
        {3, NumberSprite::kAlignCentre, 0, 5, 712, 692, {{1, W}, {26, DigitColour(0)}, {13, DigitColour(5)}, {1, W}}},
        // Right-aligned, the last digit starts at x; four digits in three places, never cut.
        {3, NumberSprite::kAlignRight, 0, 1234, 755, 715,
         {{1, W}, {13, DigitColour(1)}, {13, DigitColour(2)}, {13, DigitColour(3)}, {13, DigitColour(4)}, {1, W}}},
        // The minus sign takes a place and draws nothing, also when right alignment counts it.
        {3, NumberSprite::kAlignLeft, 0, -5, 10, 9, {{14, W}, {13, DigitColour(0)}, {13, DigitColour(5)}, {1, W}}},
        {-1, NumberSprite::kAlignRight, 0, -7, 100, 86, {{14, W}, {1, DigitColour(7)}}},
        // Spacing widens the pitch.
        {-1, NumberSprite::kAlignLeft, 2, 90, 0, 0, {{13, DigitColour(9)}, {2, W}, {13, DigitColour(0)}, {1, W}}},
        // A pitch of -1: half of -1 is -1, so one digit centred on 300 starts at 301.
        {-1, NumberSprite::kAlignCentre, -kDigitWidth - 1, 8, 300, 300, {{1, W}, {13, DigitColour(8)}, {1, W}}},
    };
    for (const Case& c : cases) {
        target.reset(FilledSurface(800, 30, W));
        number.SetDigits(c.digits);
        number.SetAlign(c.align);
        number.SetSpacing(c.spacing);
        number.DrawNumber(c.value, c.x, 0, target.get());
        std::vector<uint16_t> expected, row;
        for (auto [n, colour] : c.runs) expected.insert(expected.end(), n, colour);
        for (size_t i = 0; i < expected.size(); ++i) row.push_back(PixelAt(target.get(), c.x0 + int(i), 5));
        EXPECT_EQ(row, expected) << c.value;
    }
}

}  // namespace
