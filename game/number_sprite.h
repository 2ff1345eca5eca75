#pragma once
// NumberSprite: the digit font of the status panel. Its frames 0 to 9 show the
// digits; DrawNumber writes a whole number left-, right- or centre-aligned,
// optionally zero-filled to a minimum number of digits.
#include <cstdint>

#include "platform/surface.h"
#include "scene/sprite.h"

class NumberSprite : public Sprite {
public:
    static constexpr int32_t kAlignLeft = 0;
    static constexpr int32_t kAlignRight = 1;
    static constexpr int32_t kAlignCentre = 2;

    // Loads the file as a strip of ten digits side by side; the sprite's
    // width becomes one digit's.
    int LoadFrame(const char* fileName) override;
    void SetAlign(int32_t value) { alignment = value; }
    // Minimum number of digits, filled with leading zeros; -1 for none.
    void SetDigits(int32_t value) { digits = value; }
    // Extra pixels between characters.
    void SetSpacing(int32_t value) { spacing = value; }
    // Right alignment puts the last character's left edge at x, centre
    // alignment centres the text on x. A minus sign takes a place and draws
    // nothing.
    void DrawNumber(int32_t value, int32_t x, int32_t y, plat::Surface* surface);

    int32_t alignment = kAlignLeft;
    int32_t spacing = 0;
    int32_t digits = -1;
};
