#include "tools/board_art.h"

#include <cmath>
#include <string>

#include "game/cell.h"
#include "tools/hex_tile.h"
#include "tools/tool_random.h"
#include "tools/treasure_art.h"

namespace {
constexpr Rgb kGold{214, 178, 96};
constexpr Rgb kLabel{225, 195, 120};
constexpr Rgb kBrass{160, 120, 55};
constexpr int kPanelLeft = 624;

// The open sea: two depths of blue mottled by noise, with faint caustics.
Rgb SeaColor(int x, int y) {
    const float depth = FractalNoise(x / 60.0f, y / 60.0f, 11, 4);
    const float ridge = 1.0f - std::fabs(2.0f * FractalNoise(x / 16.0f, y / 16.0f, 23, 3) - 1.0f);
    Rgb sea = Mix({18, 84, 138}, {30, 118, 168}, depth);
    return Mix(sea, {150, 215, 235}, std::pow(ridge, 10.0f) * 0.35f);
}

Rgb DeepColor(int x, int y) {
    const float n = FractalNoise(x / 50.0f, y / 50.0f, 31, 3);
    return Mix(Mix({6, 30, 58}, {4, 18, 40}, y / 600.0f), {10, 44, 78}, n * 0.5f);
}

void PaintSea(Canvas& bg, const BoardLayout& layout) {
    for (int y = 0; y < bg.Height(); ++y)
        for (int x = 0; x < kPanelLeft; ++x) {
            if (!layout.Playable(x, y)) {
                bg.Set(x, y, DeepColor(x, y));
                continue;
            }
            Rgb c = SeaColor(x, y);
            const int cell = layout.CellAtPixel(x, y);
            const bool grid_right = layout.Playable(x + 1, y) && layout.CellAtPixel(x + 1, y) != cell;
            const bool grid_down = layout.Playable(x, y + 1) && layout.CellAtPixel(x, y + 1) != cell;
            if (grid_right || grid_down) c = Mix(c, {160, 215, 240}, 0.22f);
            bg.Set(x, y, c);
        }
    // The board's rim: a light line on the outermost sea pixels and a shadow outside.
    Canvas before = bg;
    for (int y = 0; y < bg.Height(); ++y)
        for (int x = 0; x < kPanelLeft; ++x) {
            int nearest = 9;
            const bool inside = layout.Playable(x, y);
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (layout.Playable(x + dx, y + dy) != inside) nearest = std::min(nearest, std::abs(dx) + std::abs(dy));
            if (inside && nearest == 1) bg.Set(x, y, Mix(before.At(x, y), {230, 215, 170}, 0.55f));
            if (!inside && nearest <= 3) bg.Set(x, y, Scale(before.At(x, y), 0.55f + 0.12f * nearest));
        }
}

void Label(Canvas& bg, TextPainter& text, const std::string& s, int x, int baseline, bool centred = false) {
    TextStyle style{Font::CondensedBold, 11, kLabel, 1, {4, 12, 24}};
    if (centred)
        text.DrawCentered(bg, style, s, x, baseline);
    else
        text.Draw(bg, style, s, x, baseline);
}

void Slot(Canvas& bg, int x, int y, int w, int h) {
    bg.FillRoundRect(x - 1, y - 1, w + 2, h + 2, 5, {40, 70, 100});
    bg.Panel(x, y, w, h, 4, 1.5f, kBrass, kSlotColor);
    bg.FillRect(x + 3, y + 3, w - 6, h - 6, kSlotColor);
}

void CompassRose(Canvas& bg, float cx, float cy, float r) {
    bg.FillCircle(cx, cy, r, kBrass);
    bg.FillCircle(cx, cy, r - 2, {16, 38, 64});
    bg.FillCircle(cx, cy, r - 6, {22, 50, 80});
    for (int i = 0; i < 8; ++i) {
        const float a = i * 0.785398f - 1.570796f;
        const float len = i % 2 ? r * 0.55f : r - 4;
        const float side = i % 2 ? 3.0f : 5.0f;
        const float tx = cx + len * std::cos(a), ty = cy + len * std::sin(a);
        const float px = -std::sin(a) * side, py = std::cos(a) * side;
        bg.FillShape(static_cast<int>(cx - r), static_cast<int>(cy - r), static_cast<int>(cx + r), static_cast<int>(cy + r),
                     [=](float x, float y) {
                         // Triangle from the tip to two points beside the centre.
                         const float ax = tx, ay = ty, bx = cx + px, by = cy + py, qx = cx - px, qy = cy - py;
                         const float d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
                         const float d2 = (x - qx) * (by - qy) - (bx - qx) * (y - qy);
                         const float d3 = (x - ax) * (qy - ay) - (qx - ax) * (y - ay);
                         const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
                         return !(neg && pos);
                     },
                     i == 0 ? Rgb{220, 70, 60} : i % 2 ? Rgb{150, 130, 90} : kGold);
    }
    bg.FillCircle(cx, cy, 3, {240, 225, 180});
}

void PaintStatusPanel(Canvas& bg, TextPainter& text) {
    bg.VerticalGradient(kPanelLeft, 0, 800 - kPanelLeft, 600, {22, 48, 80}, {10, 26, 48});
    bg.FillRect(kPanelLeft, 0, 2, 600, kBrass);
    bg.FillRect(kPanelLeft + 2, 0, 1, 600, {230, 200, 130});
    bg.FillRect(kPanelLeft + 3, 0, 2, 600, {6, 16, 30});

    // Seven digits fit each score slot; the last digit's left edge is at x 755.
    Label(bg, text, "BEST", 632, 31);
    Slot(bg, 672, 12, 104, 28);
    Label(bg, text, "SCORE", 632, 92);
    Slot(bg, 672, 73, 104, 28);
    Label(bg, text, "TURNS", 712, 131, true);
    Slot(bg, 684, 161, 56, 28);
    Label(bg, text, "TREASURE SETS", 712, 216, true);
    for (int kind = 1; kind <= kTreasureKinds; ++kind) {
        Canvas icon(16, 16);
        DrawTreasure(icon, kind, 8, 8, 13);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (!icon.IsTransparent(x, y)) bg.Set(674 + 16 * (kind - 1) + x, 225 + y, Mix(icon.At(x, y), {12, 30, 52}, 0.65f));
    }
    bg.Panel(644, 259, 136, 106, 4, 2, kGold, {6, 16, 30});
    Label(bg, text, "ROUND", 652, 386);
    Slot(bg, 702, 366, 22, 28);
    CompassRose(bg, 712, 432, 38);
    bg.Panel(642, 478, 150, 100, 6, 2, kBrass, {8, 20, 36});
}

void PaintTitle(Canvas& bg, TextPainter& text) {
    text.Draw(bg, {Font::SerifBold, 38, {250, 212, 110}, 2, {10, 20, 35}}, "Reef Hoard", 40, 56);
    text.Draw(bg, {Font::Sans, 13, {170, 210, 230}, 1, {4, 16, 32}}, "Five lines of five treasures hide on every reef.", 286, 50);
    text.Draw(bg, {Font::Sans, 12, {150, 195, 220}, 1, {4, 16, 32}},
              "Click the sea to search: a sonar ping spreads until it touches hidden treasure.", 60, 582);
}

Canvas MakeBackground(const BoardLayout& layout, TextPainter& text) {
    Canvas bg(BoardLayout::kScreenWidth, BoardLayout::kScreenHeight, {0, 0, 0});
    PaintSea(bg, layout);
    PaintTitle(bg, text);
    PaintStatusPanel(bg, text);
    return bg;
}

bool TileEdge(int x, int y) {
    return !TileOwns(kSeaTile, x - 1, y) || !TileOwns(kSeaTile, x + 1, y) || !TileOwns(kSeaTile, x, y - 1) ||
           !TileOwns(kSeaTile, x, y + 1);
}

// One sea-cell tile: a face colour inside the hexagon with its own edge colour.
Canvas HexTile(Rgb face, Rgb edge) {
    Canvas tile(kSeaTile.width, kSeaTile.height);
    for (int y = 0; y < kSeaTile.height; ++y)
        for (int x = 0; x < kSeaTile.width; ++x)
            if (TileOwns(kSeaTile, x, y))
                tile.Set(x, y, TileEdge(x, y) ? edge : Mix(face, {255, 255, 255}, 0.06f * (y < kSeaTile.centre.y)));
    return tile;
}

Canvas ClipToHex(const Canvas& art) {
    Canvas tile(kSeaTile.width, kSeaTile.height);
    for (int y = 0; y < kSeaTile.height; ++y)
        for (int x = 0; x < kSeaTile.width; ++x)
            if (TileOwns(kSeaTile, x, y) && !art.IsTransparent(x, y)) tile.Set(x, y, art.At(x, y));
    return tile;
}
}  // namespace

Canvas MakeTileset() {
    const Rgb swept_face{62, 150, 180}, swept_edge{40, 110, 145};
    Canvas sheet(kSeaTile.width * kTilesetFrames, kSeaTile.height);
    const auto put = [&](int frame, const Canvas& tile) { sheet.Draw(tile, frame * kSeaTile.width, 0); };
    const float cx = kSeaTile.centre.x, cy = kSeaTile.centre.y;

    Canvas current = HexTile(swept_face, swept_edge);
    current.FillCircle(cx, cy, 4.6f, {255, 225, 110});
    current.FillCircle(cx, cy, 3.0f, swept_face);
    current.FillCircle(cx, cy, 1.2f, {255, 245, 200});
    put(CellState::kCurrent, ClipToHex(current));
    put(CellState::kSwept, HexTile(swept_face, swept_edge));
    put(CellState::kSweptUnderWave, HexTile({110, 200, 222}, {190, 245, 255}));
    put(CellState::kWave, HexTile({80, 205, 230}, {235, 255, 255}));
    for (int kind = 1; kind <= kTreasureKinds; ++kind) {
        Canvas found = HexTile({85, 160, 175}, {225, 200, 120});
        DrawTreasure(found, kind, cx, cy, 10.5f);
        put(CellState::kFoundBase + kind, ClipToHex(found));
    }
    return sheet;
}

std::vector<NamedPicture> MakeBoardPictures(const BoardLayout& layout, TextPainter& text) {
    return {{"background.bmp", MakeBackground(layout, text)}, {"tileset.bmp", MakeTileset()}};
}
