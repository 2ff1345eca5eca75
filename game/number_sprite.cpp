#include "game/number_sprite.h"

#include <cstdio>
#include <cstring>

namespace {

// Division by 2 rounding towards minus infinity, also for negative values.
int32_t HalfFloor(int32_t value) { return value / 2 - (value % 2 < 0 ? 1 : 0); }

}  // namespace

int NumberSprite::LoadFrame(const char* fileName) {
    Sprite::LoadStrip(fileName, 10, 0);
    Sprite::SplitWidth();
    return 1;
}

void NumberSprite::DrawNumber(int32_t value, int32_t x, int32_t y, plat::Surface* surface) {
    // Room for any 32-bit number; a zero fill wider than that is cut.
    char text[64];
    if (digits == -1) {
        std::snprintf(text, sizeof text, "%d", value);
    } else {
        char format[16];
        std::snprintf(format, sizeof format, "%%0%dd", digits);
        std::snprintf(text, sizeof text, format, value);
    }
    const int32_t length = static_cast<int32_t>(std::strlen(text));
    const int32_t pitch = width + spacing;
    if (alignment == kAlignRight) {
        x -= (length - 1) * pitch;
    } else if (alignment == kAlignCentre) {
        x -= HalfFloor(length * pitch);
    }

    Sprite::SetPosition(x, y);
    for (int32_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            Sprite::SetFrameIndex(c - '0');
            Sprite::Draw(surface);
        }
        x += pitch;
        Sprite::SetPosition(x, y);
    }
}
