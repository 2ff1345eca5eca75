#include "tools/text_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <stdexcept>

namespace {
constexpr const char* kFontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif-Bold.ttf",
                                      "DejaVuSansCondensed-Bold.ttf"};

// Decodes one UTF-8 character starting at text[i] and advances i.
char32_t NextCodePoint(const std::string& text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 0; k < extra && i < text.size(); ++k) cp = (cp << 6) | (byte(i++) & 0x3F);
    return cp;
}
}  // namespace

struct TextPainter::Faces {
    FT_Library library = nullptr;
    std::array<FT_Face, 4> faces{};
    FT_Face Use(const TextStyle& style) {
        FT_Face face = faces[static_cast<int>(style.font)];
        FT_Set_Pixel_Sizes(face, 0, style.size);
        return face;
    }
};

TextPainter::TextPainter() : faces_(std::make_unique<Faces>()) {
    if (FT_Init_FreeType(&faces_->library)) throw std::runtime_error("FreeType did not start");
    for (size_t i = 0; i < faces_->faces.size(); ++i) {
        std::string path = std::string(REEF_FONT_DIR) + "/" + kFontFiles[i];
        if (FT_New_Face(faces_->library, path.c_str(), 0, &faces_->faces[i]))
            throw std::runtime_error("cannot open font " + path);
    }
}

TextPainter::~TextPainter() {
    for (FT_Face face : faces_->faces)
        if (face) FT_Done_Face(face);
    FT_Done_FreeType(faces_->library);
}

namespace {
// Walks the glyphs of text from pen (26.6 fixed point) with kerning, loading
// each with loadFlags; visit(slot, pen) sees every glyph that loads, before
// its advance is added. Returns the pen after the last glyph.
template <typename Visit>
long WalkGlyphs(FT_Face face, const std::string& text, long pen, FT_Int32 loadFlags, Visit visit) {
    FT_UInt previous = 0;
    for (size_t i = 0; i < text.size();) {
        FT_UInt glyph = FT_Get_Char_Index(face, NextCodePoint(text, i));
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        previous = glyph;
        if (FT_Load_Glyph(face, glyph, loadFlags)) continue;
        visit(face->glyph, pen);
        pen += face->glyph->advance.x;
    }
    return pen;
}
}  // namespace

int TextPainter::Measure(const TextStyle& style, const std::string& text) {
    const long width = WalkGlyphs(faces_->Use(style), text, 0, FT_LOAD_DEFAULT, [](FT_GlyphSlot, long) {});
    return static_cast<int>((width + 63) >> 6) + 2 * style.outline;
}

void TextPainter::DrawRun(Canvas& canvas, const TextStyle& style, const std::string& text, int x, int baseline,
                          Rgb color) {
    WalkGlyphs(faces_->Use(style), text, static_cast<long>(x) << 6, FT_LOAD_RENDER,
               [&](FT_GlyphSlot slot, long pen) {
                   const FT_Bitmap& bitmap = slot->bitmap;
                   const int left = static_cast<int>(pen >> 6) + slot->bitmap_left;
                   const int top = baseline - slot->bitmap_top;
                   for (unsigned row = 0; row < bitmap.rows; ++row)
                       for (unsigned col = 0; col < bitmap.width; ++col) {
                           unsigned char cover = bitmap.buffer[row * bitmap.pitch + col];
                           if (cover) canvas.Blend(left + col, top + row, color, cover / 255.0f);
                       }
               });
}

void TextPainter::Draw(Canvas& canvas, const TextStyle& style, const std::string& text, int x, int baseline) {
    x += style.outline;
    for (int dy = -style.outline; dy <= style.outline; ++dy)
        for (int dx = -style.outline; dx <= style.outline; ++dx)
            if (dx || dy) DrawRun(canvas, style, text, x + dx, baseline + dy, style.outline_color);
    DrawRun(canvas, style, text, x, baseline, style.color);
}

void TextPainter::DrawCentered(Canvas& canvas, const TextStyle& style, const std::string& text, int centre_x,
                               int baseline) {
    Draw(canvas, style, text, centre_x - Measure(style, text) / 2, baseline);
}

std::vector<std::string> TextPainter::Wrap(const TextStyle& style, const std::string& text, int max_width) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(start, end - start);
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && Measure(style, candidate) > max_width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        start = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
