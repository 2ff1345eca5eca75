#pragma once
// An RGB picture in memory that the asset generators paint on, with the
// drawing operations they share (blends, anti-aliased shapes, gradients).
#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Pure blue: the colour the game treats as transparent.
inline constexpr Rgb kTransparent{0, 0, 255};

Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb c, float factor);

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Rgb fill = kTransparent);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb At(int x, int y) const { return pixels_[Offset(x, y)]; }
    bool IsTransparent(int x, int y) const { return At(x, y) == kTransparent; }

    // Writes a visible colour. Colours that a 16-bit screen would turn into
    // the transparent key are nudged away from it, so nothing vanishes.
    void Set(int x, int y, Rgb color);
    void Clear(int x, int y) { pixels_[Offset(x, y)] = kTransparent; }
    // Blends over what is there. On a transparent pixel there is nothing to
    // blend with: coverage of at least a half paints the colour, less skips.
    void Blend(int x, int y, Rgb color, float alpha);

    void FillRect(int x, int y, int w, int h, Rgb color);
    void VerticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
    // Fills the part of the box where inside(x, y) holds, sampled 4 x 4 per
    // pixel so edges are smooth.
    void FillShape(int x0, int y0, int x1, int y1, const std::function<bool(float, float)>& inside,
                   Rgb color, float alpha = 1.0f);
    void FillCircle(float cx, float cy, float radius, Rgb color, float alpha = 1.0f);
    void FillEllipse(float cx, float cy, float rx, float ry, Rgb color, float alpha = 1.0f);
    void FillRoundRect(float x, float y, float w, float h, float radius, Rgb color, float alpha = 1.0f);
    // A rounded frame: a border of the given thickness around a filled face.
    void Panel(float x, float y, float w, float h, float radius, float border, Rgb edge, Rgb face);
    // Copies another canvas here, skipping its transparent pixels.
    void Draw(const Canvas& source, int x, int y);
    Canvas Crop(int x, int y, int w, int h) const;

    const std::vector<Rgb>& Pixels() const { return pixels_; }

private:
    size_t Offset(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};
