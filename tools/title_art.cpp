#include "tools/title_art.h"

#include <cmath>
#include <string>

#include "tools/board_art.h"
#include "tools/hex_tile.h"
#include "tools/tool_random.h"
#include "tools/treasure_art.h"

namespace {
constexpr int kScreenW = 800, kScreenH = 600;

// Sunlit water over a sandy floor with coral, weed and rising bubbles.
Canvas UnderwaterScene(uint32_t seed, float brightness) {
    Canvas scene(kScreenW, kScreenH, {0, 0, 0});
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) {
            const float t = y / static_cast<float>(kScreenH);
            Rgb water = Mix({50, 150, 200}, {4, 20, 48}, std::pow(t, 0.8f));
            const float ripple = FractalNoise(x / 90.0f, y / 40.0f, seed, 3);
            scene.Set(x, y, Scale(Mix(water, {120, 200, 230}, ripple * 0.15f * (1 - t)), brightness));
        }
    // Shafts of light from the surface.
    for (int i = 0; i < 7; ++i) {
        const float x0 = 60.0f + i * 115 + HashUnit(i, 0, seed) * 50, slope = 0.25f + HashUnit(i, 1, seed) * 0.2f;
        const float width = 18 + HashUnit(i, 2, seed) * 30;
        for (int y = 0; y < 520; ++y)
            for (int x = 0; x < kScreenW; ++x) {
                const float off = std::fabs(x - (x0 + y * slope)) / (width * (0.5f + y / 900.0f));
                if (off < 1) scene.Blend(x, y, {200, 240, 255}, 0.08f * brightness * (1 - off * off) * (1 - y / 520.0f));
            }
    }
    // The sea floor.
    for (int x = 0; x < kScreenW; ++x) {
        const int top = 500 + static_cast<int>(35 * FractalNoise(x / 120.0f, 0.5f, seed + 5, 3));
        for (int y = top; y < kScreenH; ++y) {
            const float grain = HashUnit(x, y, seed + 9);
            scene.Set(x, y, Scale(Mix({150, 130, 90}, {95, 80, 60}, (y - top) / 100.0f + grain * 0.15f), brightness));
        }
    }
    ToolRandom random(seed);
    // Weed swaying up from the floor.
    for (int i = 0; i < 9; ++i) {
        const float base = random.Range(10, 790), height = random.Range(70, 160), phase = random.Range(0, 6);
        for (float s = 0; s < height; s += 0.7f) {
            const float x = base + 8 * std::sin(phase + s / 25.0f), y = 540 - s;
            scene.FillCircle(x, y, 3.2f * (1 - s / height) + 1, Scale({40, 120, 70}, brightness));
        }
    }
    // Coral heads in warm colours.
    const Rgb coral[] = {{230, 100, 110}, {240, 150, 80}, {200, 90, 170}};
    for (int i = 0; i < 8; ++i) {
        const float cx = random.Range(20, 780), cy = random.Range(520, 560);
        const Rgb c = coral[i % 3];
        for (int k = 0; k < 7; ++k)
            scene.FillCircle(cx + random.Range(-22, 22), cy - random.Range(0, 30), random.Range(6, 12),
                             Scale(Mix(c, {255, 255, 255}, k * 0.04f), brightness));
    }
    // Bubbles.
    for (int i = 0; i < 40; ++i) {
        const float x = random.Range(0, 800), y = random.Range(40, 520), r = random.Range(2, 7);
        scene.FillCircle(x, y, r, {200, 235, 250}, 0.45f);
        scene.FillCircle(x - r * 0.1f, y - r * 0.1f, r * 0.7f, Scale({60, 140, 190}, brightness), 0.5f);
        scene.FillCircle(x - r * 0.35f, y - r * 0.35f, r * 0.22f, {255, 255, 255}, 0.8f);
    }
    return scene;
}

Canvas Splash(TextPainter& text) {
    Canvas s = UnderwaterScene(41, 1.0f);
    s.FillEllipse(400, 520, 150, 26, {70, 55, 40}, 0.6f);
    DrawChest(s, 400, 470, 220, true);
    text.DrawCentered(s, {Font::SerifBold, 86, {255, 214, 100}, 3, {30, 20, 10}}, "Reef Hoard", 400, 200);
    text.DrawCentered(s, {Font::SansBold, 24, {235, 250, 255}, 2, {6, 30, 60}}, "A treasure hunt among the islands", 400, 250);
    return s;
}

Canvas Credits(TextPainter& text) {
    Canvas s = UnderwaterScene(77, 0.75f);
    s.FillRoundRect(150, 90, 500, 360, 18, {4, 14, 30}, 0.55f);
    text.DrawCentered(s, {Font::SerifBold, 48, {255, 214, 100}, 2, {30, 20, 10}}, "Thanks for playing", 400, 160);
    text.DrawCentered(s, {Font::SerifBold, 30, {235, 245, 255}, 2, {6, 20, 40}}, "Reef Hoard", 400, 210);
    const char* lines[] = {"Game design, code and artwork by the Reef Hoard crew",
                           "Every picture, sound and tune is generated from our own source",
                           "Lettering set in the DejaVu typefaces", "", "May your next dive bring a hoard of gold!"};
    int y = 270;
    for (const char* line : lines) {
        text.DrawCentered(s, {Font::Sans, 17, {210, 230, 240}, 1, {4, 14, 30}}, line, 400, y);
        y += 30;
    }
    for (int kind = 1; kind <= kTreasureKinds; ++kind) DrawTreasure(s, kind, 300 + 50 * (kind - 1), 430, 26);
    return s;
}

// One tileset frame, blown up twice with its hexagon centred on (cx, cy), as
// an example on the rules page.
void TileExample(Canvas& page, const Canvas& tileset, int frame, float cx, float cy) {
    const int left = static_cast<int>(cx - 2 * kSeaTile.centre.x), top = static_cast<int>(cy - 2 * kSeaTile.centre.y);
    for (int ty = 0; ty < kSeaTile.height; ++ty)
        for (int tx = 0; tx < kSeaTile.width; ++tx)
            if (!tileset.IsTransparent(frame * kSeaTile.width + tx, ty))
                page.FillRect(left + tx * 2, top + ty * 2, 2, 2, tileset.At(frame * kSeaTile.width + tx, ty));
}

Canvas HowToPlay(TextPainter& text) {
    Canvas page(kHowToPlayWidth, kHowToPlayHeight);
    page.FillRoundRect(0, 0, kHowToPlayWidth, kHowToPlayHeight, 16, {4, 10, 20});
    page.FillRoundRect(2, 2, kHowToPlayWidth - 4, kHowToPlayHeight - 4, 14, {214, 178, 96});
    page.FillRoundRect(5, 5, kHowToPlayWidth - 10, kHowToPlayHeight - 10, 11, {14, 36, 66});
    const int cx = kHowToPlayWidth / 2;
    text.DrawCentered(page, {Font::SerifBold, 30, {255, 214, 100}, 2, {10, 16, 28}}, "How to Play", cx, 44);
    for (int kind = 1; kind <= kTreasureKinds; ++kind) DrawTreasure(page, kind, cx - 100 + 50 * (kind - 1), 68, 22);

    const TextStyle body{Font::Sans, 13, {225, 235, 242}, 0, {}};
    const TextStyle head{Font::SansBold, 13, {250, 215, 120}, 0, {}};
    struct Rule {
        const char* head;
        const char* text;
    };
    const Rule rules[] = {
        {"The hoard.", "Every reef hides 25 treasures: five lines of five cells in a straight row, one line each of "
                       "gold, rubies, emeralds, pearls and amethysts."},
        {"Searching.", "Click a sea cell to search it. Treasure there is found at once. An empty cell sends out a "
                       "sonar ping that spreads ring by ring until it touches hidden treasure; that last bright "
                       "ring stays marked, so treasure lies somewhere on it."},
        {"Turns.", "You start with 25 turns and every empty search costs one. Islands and the dark edge of the "
                   "chart cannot be searched."},
        {"Streaks.", "Finds in a row are worth 125, 150, 175 and then 200 points each. An empty search ends the "
                     "streak."},
        {"Bonus turns.", "Finish a whole line within one streak for 3 bonus turns; each further line finished in "
                         "the same streak pays 3 more than the last."},
        {"Reefs.", "Find all 25 treasures to sail on to the next reef: your score doubles. After the ninth reef "
                   "every turn left is worth 10,000 points. The game ends when your turns run out."},
    };
    int y = 102;
    for (const Rule& rule : rules) {
        const int indent = text.Measure(head, rule.head) + 5;
        std::vector<std::string> lines = text.Wrap(body, rule.text, 480 - indent);
        text.Draw(page, head, rule.head, 40, y);
        for (size_t i = 0; i < lines.size(); ++i) text.Draw(page, body, lines[i], 40 + indent, y + static_cast<int>(i) * 17);
        y += static_cast<int>(lines.size()) * 17 + 10;
    }
    // The sea-cell markings, with what they mean.
    const Canvas tileset = MakeTileset();
    const struct {
        int frame;
        const char* label;
    } legend[] = {{0, "last search"}, {2, "searched"}, {4, "sonar ring"}, {7, "treasure found"}};
    int x = 40;
    for (const auto& item : legend) {
        TileExample(page, tileset, item.frame, x + 14, y + 17);
        text.Draw(page, {Font::Sans, 12, {190, 215, 230}, 0, {}}, item.label, x + 34, y + 21);
        x += 34 + text.Measure({Font::Sans, 12}, item.label) + 22;
    }
    text.DrawCentered(page, {Font::SansBold, 13, {170, 200, 220}, 0, {}}, "Click anywhere to return to the game", cx,
                      kHowToPlayHeight - 18);
    return page;
}
}  // namespace

std::vector<NamedPicture> MakeTitlePictures(TextPainter& text) {
    return {{"Title/TovaliSplash.bmp", Splash(text)},
            {"Title/TovaliCredit.bmp", Credits(text)},
            {"Title/HowToPlay.bmp", HowToPlay(text)}};
}
