#include "tools/treasure_art.h"

#include <cmath>
#include <vector>

namespace {
struct Point {
    float x, y;
};

bool InsidePolygon(const std::vector<Point>& poly, float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].y > y) != (poly[j].y > y) &&
            x < (poly[j].x - poly[i].x) * (y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
            inside = !inside;
    }
    return inside;
}

void FillPolygon(Canvas& canvas, const std::vector<Point>& poly, Rgb color, float alpha = 1.0f) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Point& p : poly) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    canvas.FillShape(static_cast<int>(x0) - 1, static_cast<int>(y0) - 1, static_cast<int>(x1) + 1,
                     static_cast<int>(y1) + 1, [&](float x, float y) { return InsidePolygon(poly, x, y); }, color,
                     alpha);
}

std::vector<Point> Regular(float cx, float cy, float r, int sides, float turn, float squash = 1.0f) {
    std::vector<Point> out;
    for (int i = 0; i < sides; ++i) {
        const float a = turn + i * 6.2831853f / sides;
        out.push_back({cx + r * std::cos(a), cy + r * squash * std::sin(a)});
    }
    return out;
}

void Coin(Canvas& c, float cx, float cy, float s) {
    const float r = s * 0.46f;
    c.FillCircle(cx, cy, r, {120, 80, 10});
    c.FillCircle(cx - s * 0.03f, cy - s * 0.03f, r * 0.86f, {250, 200, 50});
    c.FillCircle(cx, cy, r * 0.55f, {215, 160, 30});
    c.FillCircle(cx - r * 0.35f, cy - r * 0.35f, r * 0.22f, {255, 250, 210});
}

// A cut gem: dark outline, body, a lit upper facet and a glint.
void Gem(Canvas& c, const std::vector<Point>& outline, const std::vector<Point>& top_facet, Rgb body, float cx,
         float cy, float s) {
    FillPolygon(c, outline, Scale(body, 0.35f));
    std::vector<Point> inner;
    for (const Point& p : outline) inner.push_back({cx + (p.x - cx) * 0.8f, cy + (p.y - cy) * 0.8f});
    FillPolygon(c, inner, body);
    FillPolygon(c, top_facet, Mix(body, {255, 255, 255}, 0.45f));
    c.FillCircle(cx - s * 0.14f, cy - s * 0.16f, s * 0.07f, {255, 255, 255});
}

void Ruby(Canvas& c, float cx, float cy, float s) {
    const float h = s * 0.48f;
    std::vector<Point> outline{{cx - h, cy - h * 0.3f}, {cx - h * 0.5f, cy - h * 0.8f}, {cx + h * 0.5f, cy - h * 0.8f},
                               {cx + h, cy - h * 0.3f}, {cx, cy + h}};
    std::vector<Point> facet{{cx - h * 0.6f, cy - h * 0.3f}, {cx - h * 0.3f, cy - h * 0.6f},
                             {cx + h * 0.3f, cy - h * 0.6f}, {cx + h * 0.6f, cy - h * 0.3f}};
    Gem(c, outline, facet, TreasureColor(2), cx, cy, s);
}

void Emerald(Canvas& c, float cx, float cy, float s) {
    std::vector<Point> outline = Regular(cx, cy, s * 0.5f, 8, 0.3927f, 0.85f);
    std::vector<Point> facet = Regular(cx, cy - s * 0.05f, s * 0.22f, 4, 0.7854f, 0.8f);
    Gem(c, outline, facet, TreasureColor(3), cx, cy, s);
}

void Pearl(Canvas& c, float cx, float cy, float s) {
    const float r = s * 0.42f;
    c.FillCircle(cx, cy, r, {120, 105, 110});
    c.FillCircle(cx, cy, r * 0.85f, {225, 215, 220});
    c.FillCircle(cx - r * 0.15f, cy - r * 0.15f, r * 0.6f, TreasureColor(4));
    c.FillCircle(cx - r * 0.35f, cy - r * 0.35f, r * 0.25f, {255, 255, 255});
}

void Amethyst(Canvas& c, float cx, float cy, float s) {
    const float h = s * 0.5f;
    std::vector<Point> outline{{cx, cy - h}, {cx + h * 0.75f, cy - h * 0.1f}, {cx + h * 0.4f, cy + h * 0.85f},
                               {cx - h * 0.4f, cy + h * 0.85f}, {cx - h * 0.75f, cy - h * 0.1f}};
    std::vector<Point> facet{{cx, cy - h * 0.65f}, {cx + h * 0.4f, cy - h * 0.1f}, {cx, cy + h * 0.2f},
                             {cx - h * 0.4f, cy - h * 0.1f}};
    Gem(c, outline, facet, TreasureColor(5), cx, cy, s);
}
}  // namespace

Rgb TreasureColor(int kind) {
    switch (kind) {
        case 1: return {250, 200, 50};
        case 2: return {225, 40, 60};
        case 3: return {40, 200, 90};
        case 4: return {250, 240, 236};
        default: return {175, 90, 235};
    }
}

void DrawTreasure(Canvas& canvas, int kind, float cx, float cy, float size) {
    switch (kind) {
        case 1: Coin(canvas, cx, cy, size); break;
        case 2: Ruby(canvas, cx, cy, size); break;
        case 3: Emerald(canvas, cx, cy, size); break;
        case 4: Pearl(canvas, cx, cy, size); break;
        default: Amethyst(canvas, cx, cy, size); break;
    }
}

void DrawChest(Canvas& c, float cx, float cy, float width, bool open) {
    const float w = width, h = width * 0.55f;
    const float left = cx - w / 2, top = cy - h / 2;
    const Rgb wood{125, 72, 35}, dark_wood{80, 44, 20}, band{215, 170, 70};
    if (open) {
        // The lid stands up behind the body.
        FillPolygon(c, {{left + 2, top}, {left + w - 2, top}, {left + w - w * 0.08f, top - h * 0.75f},
                        {left + w * 0.08f, top - h * 0.75f}},
                    dark_wood);
        c.FillRect(static_cast<int>(left + w * 0.1f), static_cast<int>(top - h * 0.68f), static_cast<int>(w * 0.8f),
                   static_cast<int>(h * 0.08f), band);
        // The hoard heaped above the rim.
        for (int i = 0; i < 14; ++i) {
            const float fx = left + w * (0.12f + 0.76f * ((i * 37) % 14) / 13.0f);
            const float fy = top - h * (0.05f + 0.25f * ((i * 11) % 5) / 4.0f) + std::fabs(fx - cx) * 0.25f;
            c.FillCircle(fx, fy, w * 0.07f, {120, 80, 10});
            c.FillCircle(fx - 0.5f, fy - 0.5f, w * 0.06f, TreasureColor(1));
        }
        for (int kind = 2; kind <= 5; ++kind)
            DrawTreasure(c, kind, left + w * (0.1f + 0.2f * (kind - 1)), top - h * 0.22f + (kind % 2) * h * 0.1f,
                         w * 0.16f);
    }
    c.FillRoundRect(left, top, w, h, w * 0.04f, dark_wood);
    c.FillRoundRect(left + 2, top + 2, w - 4, h - 4, w * 0.03f, wood);
    for (int i = 1; i < 4; ++i) c.FillRect(static_cast<int>(left + 2), static_cast<int>(top + h * i / 4), static_cast<int>(w - 4), 1, dark_wood);
    if (!open) c.FillRoundRect(left - 1, top - h * 0.35f, w + 2, h * 0.4f, w * 0.12f, Mix(wood, dark_wood, 0.3f));
    for (float fx : {0.15f, 0.85f}) c.FillRect(static_cast<int>(left + w * fx - w * 0.04f), static_cast<int>(top - (open ? 0 : h * 0.35f)), static_cast<int>(w * 0.08f), static_cast<int>(h * (open ? 1.0f : 1.35f)), band);
    c.FillRoundRect(cx - w * 0.07f, top + h * 0.05f, w * 0.14f, h * 0.3f, 2, band);
    c.FillCircle(cx, top + h * 0.2f, w * 0.025f, {40, 25, 10});
}
