#pragma once
// Crisp text for the pictures, rendered with FreeType from the DejaVu fonts
// that Debian's fonts-dejavu-core installs.
#include <memory>
#include <string>
#include <vector>

#include "tools/canvas.h"

enum class Font { Sans, SansBold, SerifBold, CondensedBold };

struct TextStyle {
    Font font = Font::SansBold;
    int size = 16;  // pixel height of the em square
    Rgb color{255, 255, 255};
    int outline = 0;  // outline thickness in pixels, 0 for none
    Rgb outline_color{0, 0, 0};
};

class TextPainter {
public:
    // Throws std::runtime_error when FreeType or a font cannot be opened.
    TextPainter();
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    int Measure(const TextStyle& style, const std::string& text);
    // Draws with the left end of the baseline at (x, baseline).
    void Draw(Canvas& canvas, const TextStyle& style, const std::string& text, int x, int baseline);
    void DrawCentered(Canvas& canvas, const TextStyle& style, const std::string& text, int centre_x, int baseline);
    // Splits text into lines no wider than max_width, breaking at spaces.
    std::vector<std::string> Wrap(const TextStyle& style, const std::string& text, int max_width);

private:
    struct Faces;
    void DrawRun(Canvas& canvas, const TextStyle& style, const std::string& text, int x, int baseline, Rgb color);
    std::unique_ptr<Faces> faces_;
};
