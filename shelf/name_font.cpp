#include "shelf/name_font.h"

#include "display/blit.h"
#include "display/surface_ops.h"
#include "platform/utf8.h"

namespace {
// A character without ink (the blank) is a third of a cell wide.
constexpr int32_t kBlankDivisor = 3;
}  // namespace

bool NameFont::Load(const char* file) {
    cellWidth_ = cellHeight_ = 0;
    plat::Surface* surface = picture_.Load(file);
    constexpr int32_t kRows = (kEnd - kFirst + kColumns - 1) / kColumns;
    if (surface == nullptr || picture_.width % kColumns != 0 || picture_.height % kRows != 0) return false;
    cellWidth_ = picture_.width / kColumns;
    cellHeight_ = picture_.height / kRows;
    const uint32_t blue = RGBToPixel(surface, 0, 0, 255);
    for (int32_t glyph = 0; glyph < static_cast<int32_t>(advance_.size()); ++glyph) {
        const int32_t left = glyph % kColumns * cellWidth_, top = glyph / kColumns * cellHeight_;
        int32_t width = 0;
        for (int32_t x = cellWidth_ - 1; x >= 0 && width == 0; --x) {
            for (int32_t y = 0; y < cellHeight_; ++y) {
                if (GetPixel(surface, left + x, top + y) != blue) {
                    // The outline's last column is shared with the next glyph's first.
                    width = x;
                    break;
                }
            }
        }
        advance_[glyph] = width != 0 ? width : cellWidth_ / kBlankDivisor;
    }
    return true;
}

int32_t NameFont::GlyphOf(char32_t codePoint) {
    // The controls U+007F to U+009F have no glyph either.
    if (codePoint < kFirst || (codePoint >= 0x7F && codePoint < 0xA0) || codePoint >= kEnd) codePoint = '?';
    return static_cast<int32_t>(codePoint - kFirst);
}

int32_t NameFont::Measure(std::string_view text) const {
    int32_t width = 0;
    for (std::size_t pos = 0, length = 0; pos < text.size(); pos += length) {
        width += advance_[GlyphOf(plat::utf8::Decode(text, pos, &length))];
    }
    return cellWidth_ != 0 ? width : 0;
}

int32_t NameFont::Draw(plat::Surface* destination, std::string_view text, int32_t x, int32_t y,
                       int32_t right) const {
    if (cellWidth_ == 0) return x;
    for (std::size_t pos = 0, length = 0; pos < text.size(); pos += length) {
        const int32_t glyph = GlyphOf(plat::utf8::Decode(text, pos, &length));
        if (x + advance_[glyph] > right) break;
        BlitRect(picture_.GetSurface(), glyph % kColumns * cellWidth_, glyph / kColumns * cellHeight_,
                 advance_[glyph], cellHeight_, destination, x, y, kKeyedBlit);
        x += advance_[glyph];
    }
    return x;
}
