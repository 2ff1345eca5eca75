#include "tools/canvas.h"

#include <algorithm>
#include <cmath>

namespace {
uint8_t ToByte(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }
}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
    return {ToByte(a.r + (b.r - a.r) * t), ToByte(a.g + (b.g - a.g) * t), ToByte(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, float factor) { return {ToByte(c.r * factor), ToByte(c.g * factor), ToByte(c.b * factor)}; }

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Set(int x, int y, Rgb color) {
    if (!Contains(x, y)) return;
    // RGB565 keeps 5 bits of red and blue and 6 of green: these all read as pure blue.
    if (color.r < 8 && color.g < 4 && color.b >= 248) color = {8, 8, 240};
    pixels_[Offset(x, y)] = color;
}

void Canvas::Blend(int x, int y, Rgb color, float alpha) {
    if (!Contains(x, y) || alpha <= 0.0f) return;
    if (IsTransparent(x, y)) {
        if (alpha >= 0.5f) Set(x, y, color);
        return;
    }
    Set(x, y, alpha >= 1.0f ? color : Mix(At(x, y), color, alpha));
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb color) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) Set(xx, yy, color);
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int yy = 0; yy < h; ++yy) {
        Rgb c = Mix(top, bottom, h > 1 ? static_cast<float>(yy) / (h - 1) : 0.0f);
        for (int xx = 0; xx < w; ++xx) Set(x + xx, y + yy, c);
    }
}

void Canvas::FillShape(int x0, int y0, int x1, int y1, const std::function<bool(float, float)>& inside,
                       Rgb color, float alpha) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_ - 1);
    y1 = std::min(y1, height_ - 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
            if (hits) Blend(x, y, color, alpha * hits / 16.0f);
        }
    }
}

void Canvas::FillCircle(float cx, float cy, float radius, Rgb color, float alpha) {
    FillEllipse(cx, cy, radius, radius, color, alpha);
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, Rgb color, float alpha) {
    FillShape(static_cast<int>(cx - rx) - 1, static_cast<int>(cy - ry) - 1, static_cast<int>(cx + rx) + 1,
              static_cast<int>(cy + ry) + 1,
              [=](float x, float y) {
                  float dx = (x - cx) / rx, dy = (y - cy) / ry;
                  return dx * dx + dy * dy <= 1.0f;
              },
              color, alpha);
}

void Canvas::FillRoundRect(float x, float y, float w, float h, float radius, Rgb color, float alpha) {
    FillShape(static_cast<int>(x) - 1, static_cast<int>(y) - 1, static_cast<int>(x + w) + 1,
              static_cast<int>(y + h) + 1,
              [=](float px, float py) {
                  if (px < x || py < y || px > x + w || py > y + h) return false;
                  float dx = std::max({x + radius - px, 0.0f, px - (x + w - radius)});
                  float dy = std::max({y + radius - py, 0.0f, py - (y + h - radius)});
                  return dx * dx + dy * dy <= radius * radius;
              },
              color, alpha);
}

void Canvas::Panel(float x, float y, float w, float h, float radius, float border, Rgb edge, Rgb face) {
    FillRoundRect(x, y, w, h, radius, edge);
    FillRoundRect(x + border, y + border, w - 2 * border, h - 2 * border, std::max(radius - border, 0.0f), face);
}

void Canvas::Draw(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.Height(); ++sy)
        for (int sx = 0; sx < source.Width(); ++sx)
            if (!source.IsTransparent(sx, sy) && Contains(x + sx, y + sy))
                pixels_[Offset(x + sx, y + sy)] = source.At(sx, sy);
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            if (Contains(x + xx, y + yy)) out.pixels_[out.Offset(xx, yy)] = At(x + xx, y + yy);
    return out;
}
