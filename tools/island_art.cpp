#include "tools/island_art.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/hex_tile.h"
#include "tools/island_maps.h"
#include "tools/tool_random.h"

namespace {
constexpr Rgb kShallow{70, 170, 190};
constexpr Rgb kSurf{150, 215, 215};
constexpr Rgb kSand{232, 210, 145};
constexpr Rgb kWetSand{205, 180, 120};
constexpr Rgb kGrassLight{120, 185, 70};
constexpr Rgb kGrassDark{45, 120, 50};
constexpr Rgb kTrunk{120, 80, 40};
constexpr Rgb kLeaf{30, 110, 40};

// How far inside the land the tile's pixel lies: the margin by which the
// cell's own centre is nearer than the nearest sea neighbour's.
float Inland(int mask, float fx, float fy) {
    float nearest_sea = 99.0f;
    for (int d = 0; d < 6; ++d)
        if (!(mask & (1 << d))) nearest_sea = std::min(nearest_sea, -DistanceTowards(kIslandTile, fx, fy, d));
    return nearest_sea;
}

Rgb GroundColor(float inland, float grain) {
    if (inland < 3.0f) return Mix(kShallow, kSurf, (inland - 0.8f) / 2.2f);
    if (inland < 3.8f) return kWetSand;
    if (inland < 7.5f) return Mix(kSand, kWetSand, grain * 0.4f);
    const float depth = std::min(1.0f, (inland - 7.5f) / 5.0f);
    return Mix(Mix(kGrassLight, kGrassDark, depth), kGrassDark, grain * 0.3f);
}

// A leaf: an ellipse reaching `length` pixels from (x, y) at the given angle.
void Leaf(Canvas& c, float x, float y, float angle, float length, float width, Rgb color) {
    const float ux = std::cos(angle), uy = std::sin(angle);
    const float mx = x + ux * length / 2, my = y + uy * length / 2;
    c.FillShape(static_cast<int>(x - length) - 1, static_cast<int>(y - length) - 1, static_cast<int>(x + length) + 1,
                static_cast<int>(y + length) + 1,
                [=](float px, float py) {
                    const float along = ((px - mx) * ux + (py - my) * uy) / (length / 2);
                    const float across = ((px - mx) * -uy + (py - my) * ux) / (width / 2);
                    return along * along + across * across <= 1.0f;
                },
                color);
}

// A palm with its foot at (x, y): a leaning trunk and a crown of fronds.
void Palm(Canvas& c, float x, float y, float height) {
    c.FillEllipse(x + 2.0f, y, 3.0f, 1.2f, Scale(kGrassDark, 0.7f));
    const float top_x = x + height * 0.3f, top_y = y - height;
    for (int i = 0; i <= 8; ++i) {
        const float t = i / 8.0f;
        c.FillCircle(x + (top_x - x) * t * t, y + (top_y - y) * t, 0.75f, Mix(kTrunk, {170, 120, 70}, (i % 2) * 0.5f));
    }
    const float angles[] = {3.4f, 2.6f, 0.5f, -0.2f, -1.57f};
    for (float a : angles) Leaf(c, top_x, top_y, a, 4.2f, 1.8f, kLeaf);
    for (float a : angles) Leaf(c, top_x, top_y, a, 2.6f, 0.9f, Mix(kLeaf, kGrassLight, 0.6f));
    c.FillCircle(top_x, top_y + 0.5f, 0.8f, {140, 90, 40});
}

void Decorate(Canvas& c, int variant) {
    switch (variant) {
        case 1:  // bushes
            for (const auto& [x, y] : {std::pair{4.5f, 6.5f}, std::pair{9.5f, 10.5f}, std::pair{4.0f, 12.0f}}) {
                c.FillCircle(x + 0.5f, y + 0.8f, 2.2f, Scale(kGrassDark, 0.7f));
                c.FillCircle(x, y, 2.0f, kLeaf);
                c.FillCircle(x - 0.6f, y - 0.6f, 0.9f, kGrassLight);
            }
            break;
        case 2: Palm(c, 5.5f, 13.5f, 8.5f); break;
        case 3:
            Palm(c, 3.0f, 12.0f, 6.5f);
            Palm(c, 7.5f, 14.0f, 7.5f);
            break;
        case 4:  // hill
            c.FillEllipse(7.0f, 10.0f, 6.0f, 4.5f, {95, 125, 55});
            c.FillEllipse(6.0f, 9.0f, 4.0f, 3.0f, {135, 150, 80});
            c.FillEllipse(5.5f, 8.2f, 1.8f, 1.2f, {175, 180, 120});
            break;
        case 5:  // rocks
            c.FillCircle(5.0f, 9.0f, 2.5f, {105, 105, 110});
            c.FillCircle(4.4f, 8.3f, 1.2f, {160, 160, 165});
            c.FillCircle(9.5f, 11.0f, 1.8f, {95, 95, 100});
            break;
        case 6:  // hut
            c.FillRect(4, 9, 6, 4, {140, 95, 50});
            c.FillRect(6, 11, 2, 2, {60, 40, 20});
            c.FillShape(2, 4, 12, 9, [](float x, float y) { return y >= 4.5f && y <= 9.0f && std::abs(x - 7.0f) <= (y - 4.5f) * 1.1f; },
                        {210, 180, 90});
            break;
        case 7:  // flowers
            for (int i = 0; i < 7; ++i) {
                const Rgb petals[] = {{240, 90, 120}, {250, 220, 80}, {250, 250, 250}};
                c.FillCircle(2.5f + (i * 37 % 9), 3.5f + (i * 53 % 10), 0.9f, petals[i % 3]);
            }
            break;
        case 8:  // jungle
            for (int i = 0; i < 6; ++i)
                c.FillCircle(3.0f + (i % 3) * 4.0f, 5.0f + (i / 3) * 5.0f, 2.4f, i % 2 ? kLeaf : kGrassDark);
            break;
        default: break;
    }
}
}  // namespace

Canvas MakeIslandTile(int frame) {
    const bool inland = frame >= kInlandFirstFrame;
    const int mask = inland ? 63 : frame;
    Canvas art(kIslandTile.width, kIslandTile.height, kGrassDark);
    for (int y = 0; y < kIslandTile.height; ++y)
        for (int x = 0; x < kIslandTile.width; ++x) {
            // Smooth noise bends the coast; fine grain speckles sand and grass.
            const float grain = HashUnit(x, y, 77 + frame);
            const float wobble = ValueNoise(x / 2.5f, y / 2.5f, 91 + frame) - 0.5f;
            const float depth = Inland(mask, x + 0.5f, y + 0.5f) + wobble * 2.0f;
            if (depth < 0.8f)
                art.Clear(x, y);
            else
                art.Set(x, y, GroundColor(depth, grain));
        }
    if (inland) Decorate(art, frame - kInlandFirstFrame);
    Canvas tile(kIslandTile.width, kIslandTile.height);
    for (int y = 0; y < kIslandTile.height; ++y)
        for (int x = 0; x < kIslandTile.width; ++x)
            if (TileOwns(kIslandTile, x, y) && !art.IsTransparent(x, y)) tile.Set(x, y, art.At(x, y));
    return tile;
}

Canvas MakeIslandSheet() {
    const int rows = (kIslandFrameCount + kIslandSheetColumns - 1) / kIslandSheetColumns;
    Canvas sheet(kIslandSheetColumns * kIslandTile.width, rows * kIslandTile.height);
    for (int f = 0; f < kIslandFrameCount; ++f)
        sheet.Draw(MakeIslandTile(f), (f % kIslandSheetColumns) * kIslandTile.width,
                   (f / kIslandSheetColumns) * kIslandTile.height);
    return sheet;
}
