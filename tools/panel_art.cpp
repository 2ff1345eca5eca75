#include "tools/panel_art.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

#include "tools/treasure_art.h"

namespace {
constexpr Rgb kGold{214, 178, 96};
constexpr Rgb kNavy{12, 32, 60};
constexpr const char* kReefNames[] = {"Coral Shallows", "Turtle Bay",  "Smugglers' Cove",
                                      "Mermaid Lagoon", "Parrot Isles", "Whale Passage",
                                      "Kraken Deep",    "Storm Reef",  "Skull Atoll"};
// The board's extent on the screen: the charts show this rectangle.
constexpr float kBoardLeft = 50, kBoardTop = 84, kBoardWidth = 539, kBoardHeight = 449;

Rgb ChartColor(const BoardLayout& layout, const IslandMap& map, float sx, float sy) {
    const int cell = layout.CellAtPixel(static_cast<int>(sx), static_cast<int>(sy));
    if (cell < 0 || !layout.Playable(static_cast<int>(sx), static_cast<int>(sy))) return {18, 40, 62};
    if (map[cell] < 0) return Mix({36, 110, 160}, {54, 140, 185}, sy / 600.0f);
    // Coast frames carry their land neighbours as bits: well-surrounded land is green.
    const bool inland = map[cell] >= kInlandFirstFrame || std::popcount(static_cast<unsigned>(map[cell])) >= 3;
    return inland ? Rgb{80, 160, 70} : Rgb{225, 205, 140};
}

// A chart of the reef: the board's cells scaled into the box, 2 x 2 samples a pixel.
void DrawChart(Canvas& canvas, const BoardLayout& layout, const IslandMap& map, int x, int y, int w, int h) {
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            int r = 0, g = 0, b = 0;
            for (int s = 0; s < 4; ++s) {
                const float sx = kBoardLeft + (px + 0.25f + 0.5f * (s % 2)) * kBoardWidth / w;
                const float sy = kBoardTop + (py + 0.25f + 0.5f * (s / 2)) * kBoardHeight / h;
                const Rgb c = ChartColor(layout, map, sx, sy);
                r += c.r, g += c.g, b += c.b;
            }
            canvas.Set(x + px, y + py, {static_cast<uint8_t>(r / 4), static_cast<uint8_t>(g / 4), static_cast<uint8_t>(b / 4)});
        }
}

Canvas Frame(int w, int h, Rgb top, Rgb bottom) {
    Canvas panel(w, h);
    panel.FillRoundRect(0, 0, w, h, 14, {4, 10, 20});
    panel.FillRoundRect(2, 2, w - 4, h - 4, 12, kGold);
    Canvas face(w, h);
    face.VerticalGradient(0, 0, w, h, top, bottom);
    for (int y = 5; y < h - 5; ++y)
        for (int x = 5; x < w - 5; ++x) {
            const float dx = std::max({15.0f - x, 0.0f, x - (w - 16.0f)}), dy = std::max({15.0f - y, 0.0f, y - (h - 16.0f)});
            if (dx * dx + dy * dy <= 100.0f) panel.Set(x, y, face.At(x, y));
        }
    return panel;
}

void Hint(Canvas& panel, TextPainter& text, int baseline) {
    text.DrawCentered(panel, {Font::Sans, 12, {170, 200, 220}, 0, {}}, "Click or press Space to go on", panel.Width() / 2,
                      baseline);
}

Canvas RoundPanel(const BoardLayout& layout, const IslandMap& map, TextPainter& text, int round) {
    Canvas panel = Frame(kRoundPanelWidth, kRoundPanelHeight, {20, 52, 92}, {8, 24, 46});
    const int cx = kRoundPanelWidth / 2;
    text.DrawCentered(panel, {Font::SerifBold, 30, {250, 212, 110}, 2, {10, 16, 28}}, "Round " + std::to_string(round),
                      cx, 44);
    text.DrawCentered(panel, {Font::SansBold, 15, {170, 225, 240}, 1, {6, 16, 30}}, kReefNames[round - 1], cx, 66);
    const int chart_w = 240, chart_h = 200, chart_x = cx - chart_w / 2, chart_y = 76;
    panel.FillRect(chart_x - 3, chart_y - 3, chart_w + 6, chart_h + 6, kGold);
    panel.FillRect(chart_x - 1, chart_y - 1, chart_w + 2, chart_h + 2, {4, 10, 20});
    DrawChart(panel, layout, map, chart_x, chart_y, chart_w, chart_h);
    Hint(panel, text, 296);
    return panel;
}

Canvas RoundThumb(const BoardLayout& layout, const IslandMap& map) {
    Canvas thumb(kRoundThumbWidth, kRoundThumbHeight, {18, 40, 62});
    DrawChart(thumb, layout, map, 0, 0, kRoundThumbWidth, kRoundThumbHeight);
    return thumb;
}

Canvas GameOver(TextPainter& text) {
    Canvas panel = Frame(kRoundPanelWidth, kRoundPanelHeight, {52, 26, 40}, {14, 12, 30});
    const int cx = kRoundPanelWidth / 2;
    text.DrawCentered(panel, {Font::SerifBold, 36, {240, 110, 80}, 2, {20, 6, 6}}, "Game Over", cx, 56);
    text.DrawCentered(panel, {Font::SansBold, 15, {230, 210, 200}, 1, {10, 6, 10}}, "Your turns have run out.", cx, 88);
    // The chest sinks back into the sand, still shut.
    panel.FillEllipse(cx, 238, 120, 22, {120, 100, 70});
    panel.FillEllipse(cx, 234, 110, 16, {160, 135, 90});
    DrawChest(panel, cx, 200, 120, false);
    for (int i = 0; i < 6; ++i) panel.FillCircle(cx + 50 + (i % 3) * 9, 170 - i * 12, 2.5f + i % 2, {150, 190, 220}, 0.6f);
    text.DrawCentered(panel, {Font::Sans, 13, {210, 190, 190}, 0, {}}, "The reef keeps its secrets, for now.", cx, 274);
    Hint(panel, text, 296);
    return panel;
}

Canvas Congratulations(TextPainter& text) {
    Canvas panel = Frame(kRoundPanelWidth, kRoundPanelHeight, {30, 70, 110}, {10, 30, 56});
    const int cx = kRoundPanelWidth / 2;
    // Rays of light behind the open chest.
    panel.FillShape(10, 60, kRoundPanelWidth - 10, 250,
                    [cx](float x, float y) {
                        const float a = std::atan2(y - 190, x - cx);
                        const float reach = std::hypot(x - cx, y - 190);
                        return y < 190 && reach < 175 && std::fmod(a + 10.0f, 0.35f) < 0.15f;
                    },
                    {255, 230, 150}, 0.18f);
    text.DrawCentered(panel, {Font::SerifBold, 32, {255, 220, 110}, 2, {30, 16, 4}}, "Congratulations!", cx, 52);
    text.DrawCentered(panel, {Font::SansBold, 15, {230, 240, 250}, 1, {6, 16, 30}}, "You plundered all nine reefs!", cx, 80);
    DrawChest(panel, cx, 200, 130, true);
    text.DrawCentered(panel, {Font::Sans, 13, {230, 220, 180}, 0, {}}, "Every turn left was worth 10,000 points.", cx, 274);
    Hint(panel, text, 296);
    return panel;
}

Canvas HallOfFame(TextPainter& text) {
    Canvas panel = Frame(kHallOfFameWidth, kHallOfFameHeight, {40, 80, 120}, {12, 34, 62});
    const int cx = kHallOfFameWidth / 2;
    text.DrawCentered(panel, {Font::SerifBold, 26, {255, 220, 110}, 2, {30, 16, 4}}, "New High Score!", cx, 52);
    text.DrawCentered(panel, {Font::SansBold, 13, {220, 235, 245}, 1, {6, 16, 30}}, "Your name enters the Hall of Fame", cx, 82);
    for (int kind = 1; kind <= kTreasureKinds; ++kind) DrawTreasure(panel, kind, cx - 60 + 24 * (kind - 1), 100, 14);
    return panel;
}
}  // namespace

std::vector<NamedPicture> MakePanelPictures(const BoardLayout& layout, const std::vector<IslandMap>& maps,
                                            TextPainter& text) {
    std::vector<NamedPicture> pictures;
    for (int round = 1; round <= 9; ++round) {
        const IslandMap& map = maps[round - 1];
        pictures.push_back({"round" + std::to_string(round) + ".bmp", RoundPanel(layout, map, text, round)});
        pictures.push_back({"round" + std::to_string(round) + "small.bmp", RoundThumb(layout, map)});
    }
    pictures.push_back({"gameover.bmp", GameOver(text)});
    pictures.push_back({"congrats.bmp", Congratulations(text)});
    pictures.push_back({"hallfamepop.bmp", HallOfFame(text)});
    return pictures;
}
