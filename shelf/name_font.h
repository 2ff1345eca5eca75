#pragma once
// The font the launcher draws players' names with: a picture of the
// characters U+0020 to U+017F (Latin letters with their accents), 32 cells to
// a row, made by the launcher's art tool. Each glyph's advance is its ink's
// width, so the text is proportional; a character the font lacks, and any
// malformed byte, shows as '?'.
#include <array>
#include <cstdint>
#include <string_view>

#include "display/image.h"

class NameFont {
public:
    static constexpr char32_t kFirst = 0x20;
    static constexpr char32_t kEnd = 0x180;
    static constexpr int32_t kColumns = 32;

    // False when the picture does not load or is no whole grid of cells;
    // nothing is drawn then.
    bool Load(const char* file);
    int32_t Height() const { return cellHeight_; }
    // The width text takes when drawn.
    int32_t Measure(std::string_view text) const;
    // Draws text with its top left corner at (x, y); characters that would
    // pass the right edge are left out. The x after the last one drawn.
    int32_t Draw(plat::Surface* destination, std::string_view text, int32_t x, int32_t y,
                 int32_t right = INT32_MAX) const;

private:
    // The glyph's index in the picture for a character.
    static int32_t GlyphOf(char32_t codePoint);

    Image picture_;
    int32_t cellWidth_ = 0, cellHeight_ = 0;
    std::array<int32_t, kEnd - kFirst> advance_{};
};
