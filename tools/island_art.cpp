#include "tools/island_art.h"

#include <algorithm>

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
        if (!(mask & (1 << d))) nearest_sea = std::min(nearest_sea, -DistanceTowards(fx, fy, d));
    return nearest_sea;
}

Rgb GroundColor(float inland, float grain) {
    if (inland < 2.8f) return Mix(kShallow, kSurf, (inland - 1.2f) / 1.6f);
    if (inland < 3.5f) return kWetSand;
    if (inland < 5.0f) return Mix(kSand, kWetSand, grain * 0.5f);
    const float depth = std::min(1.0f, (inland - 5.0f) / 7.0f);
    return Mix(Mix(kGrassLight, kGrassDark, depth), kGrassDark, grain * 0.35f);
}

void Palm(Canvas& c, float x, float y, float size) {
    c.FillEllipse(x + 1.5f, y + size * 0.9f, size * 0.5f, size * 0.18f, Scale(kGrassDark, 0.7f));
    for (int i = 0; i < 5; ++i) {
        const float t = i / 4.0f;
        c.FillCircle(x + t * size * 0.25f, y + size * (0.85f - 0.7f * t), 0.8f, kTrunk);
    }
    const float top_x = x + size * 0.25f, top_y = y + size * 0.15f;
    c.FillEllipse(top_x - 2.2f, top_y + 0.5f, 2.4f, 1.1f, kLeaf);
    c.FillEllipse(top_x + 2.2f, top_y + 0.5f, 2.4f, 1.1f, kLeaf);
    c.FillEllipse(top_x, top_y - 0.8f, 1.2f, 1.8f, Mix(kLeaf, kGrassLight, 0.4f));
    c.FillCircle(top_x, top_y + 0.6f, 0.9f, {150, 100, 40});
}

void Decorate(Canvas& c, int variant) {
    switch (variant) {
        case 1:  // bushes
            c.FillCircle(4.5f, 6.5f, 2.0f, kGrassDark);
            c.FillCircle(9.5f, 10.5f, 2.3f, kGrassDark);
            c.FillCircle(9.0f, 10.0f, 1.0f, kGrassLight);
            break;
        case 2: Palm(c, 5.0f, 3.0f, 11.0f); break;
        case 3:
            Palm(c, 2.5f, 3.0f, 8.0f);
            Palm(c, 7.5f, 6.0f, 9.0f);
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
    Canvas art(kTileWidth, kTileHeight, kGrassDark);
    for (int y = 0; y < kTileHeight; ++y)
        for (int x = 0; x < kTileWidth; ++x) {
            const float grain = HashUnit(x, y, 77 + frame);
            const float depth = Inland(mask, x + 0.5f, y + 0.5f) + (grain - 0.5f) * 0.9f;
            if (depth < 1.2f)
                art.Clear(x, y);
            else
                art.Set(x, y, GroundColor(depth, grain));
        }
    if (inland) Decorate(art, frame - kInlandFirstFrame);
    Canvas tile(kTileWidth, kTileHeight);
    for (int y = 0; y < kTileHeight; ++y)
        for (int x = 0; x < kTileWidth; ++x)
            if (TileOwns(x, y) && !art.IsTransparent(x, y)) tile.Set(x, y, art.At(x, y));
    return tile;
}

Canvas MakeIslandSheet() {
    const int rows = (kIslandFrameCount + kIslandSheetColumns - 1) / kIslandSheetColumns;
    Canvas sheet(kIslandSheetColumns * kTileWidth, rows * kTileHeight);
    for (int f = 0; f < kIslandFrameCount; ++f)
        sheet.Draw(MakeIslandTile(f), (f % kIslandSheetColumns) * kTileWidth, (f / kIslandSheetColumns) * kTileHeight);
    return sheet;
}
