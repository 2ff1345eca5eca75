// NumberSprite: loading the digit strip, and DrawNumber's text, alignment,
// zero fill, minus sign and spacing, checked on real pixels.
#include "game/number_sprite.h"

#include <SDL.h>

#include <vector>

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
    // The colour of each pixel of row 5 from x0 to x1 inclusive.
    std::vector<uint16_t> Row(int x0, int x1) {
        std::vector<uint16_t> row;
        for (int x = x0; x <= x1; ++x) row.push_back(PixelAt(target.get(), x, 5));
        return row;
    }
    // What Row should give: runs of a colour.
    static std::vector<uint16_t> Runs(std::initializer_list<std::pair<int, uint16_t>> runs) {
        std::vector<uint16_t> row;
        for (auto [n, colour] : runs) row.insert(row.end(), n, colour);
        return row;
    }
    NumberSprite number;
    OwnedSurface target{FilledSurface(800, 30, kWhite565)};
};

TEST_F(NumberSpriteTest, ZeroFilledNumbersAreCentredOrRightAlignedAndNeverCut) {
    EXPECT_EQ(number.frames->Count(), 10);  // ten digits one digit wide
    EXPECT_EQ(number.width, kDigitWidth);
    number.SetAlign(NumberSprite::kAlignCentre);
    number.SetDigits(3);
    number.DrawNumber(5, 712, 0, target.get());
    // "005", 39 pixels: 712 - 19 = 693.
    EXPECT_EQ(Row(692, 732), Runs({{1, kWhite565}, {26, DigitColour(0)}, {13, DigitColour(5)}, {1, kWhite565}}));
    // Right-aligned, the last digit starts at x; four digits in three places.
    number.SetAlign(NumberSprite::kAlignRight);
    target.reset(FilledSurface(800, 30, kWhite565));
    number.DrawNumber(1234, 755, 0, target.get());
    EXPECT_EQ(Row(715, 768), Runs({{1, kWhite565}, {13, DigitColour(1)}, {13, DigitColour(2)},
                                   {13, DigitColour(3)}, {13, DigitColour(4)}, {1, kWhite565}}));
}

TEST_F(NumberSpriteTest, MinusSignTakesAPlaceAndDrawsNothing) {
    number.SetDigits(3);
    number.DrawNumber(-5, 10, 0, target.get());  // "-05"
    EXPECT_EQ(Row(9, 49), Runs({{14, kWhite565}, {13, DigitColour(0)}, {13, DigitColour(5)}, {1, kWhite565}}));

    // Right alignment counts the sign too: "-7" ends at 100.
    number.SetDigits(-1);
    number.SetAlign(NumberSprite::kAlignRight);
    number.DrawNumber(-7, 100, 10, target.get());
    EXPECT_EQ(PixelsAt(target.get(), {{86, 15}, {99, 15}, {100, 15}}),
              (std::vector<uint16_t>{kWhite565, kWhite565, DigitColour(7)}));
}

TEST_F(NumberSpriteTest, SpacingWidensThePitchAndCentringRoundsDown) {
    number.SetSpacing(2);
    number.DrawNumber(90, 0, 0, target.get());
    EXPECT_EQ(Row(0, 28), Runs({{13, DigitColour(9)}, {2, kWhite565}, {13, DigitColour(0)}, {1, kWhite565}}));

    // A pitch of -1: half of -1 is -1, so one digit centred on 300 starts at 301.
    number.SetSpacing(-kDigitWidth - 1);
    number.SetAlign(NumberSprite::kAlignCentre);
    number.DrawNumber(8, 300, 10, target.get());
    EXPECT_EQ(PixelsAt(target.get(), {{300, 15}, {301, 15}, {313, 15}, {314, 15}}),
              (std::vector<uint16_t>{kWhite565, DigitColour(8), DigitColour(8), kWhite565}));
}

}  // namespace
