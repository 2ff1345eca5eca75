#include "tools/hud_art.h"

#include <algorithm>
#include <string>

#include "tools/board_art.h"
#include "tools/treasure_art.h"

namespace {
Canvas NumberFont(TextPainter& text) {
    Canvas strip(kDigitWidth * 10, kDigitHeight, kSlotColor);
    const TextStyle style{Font::SansBold, 18, {255, 214, 100}, 0, {}};
    const TextStyle glow{Font::SansBold, 18, {120, 70, 10}, 0, {}};
    for (int d = 0; d < 10; ++d) {
        const std::string digit(1, static_cast<char>('0' + d));
        const int x = d * kDigitWidth + (kDigitWidth - text.Measure(style, digit)) / 2;
        text.Draw(strip, glow, digit, x + 1, 17);
        text.Draw(strip, style, digit, x, 16);
    }
    return strip;
}

// Five columns (125, 150, 175, 200 and the capped 200) by five rows (kinds).
Canvas PointsImages(TextPainter& text) {
    Canvas sheet(kPointsWidth * 5, kPointsHeight * kTreasureKinds);
    const char* values[] = {"125", "150", "175", "200", "200"};
    for (int kind = 1; kind <= kTreasureKinds; ++kind)
        for (int i = 0; i < 5; ++i) {
            const bool capped = i == 4;
            const Rgb fill = capped ? Rgb{255, 255, 255} : TreasureColor(kind);
            const Rgb edge = capped ? Scale(TreasureColor(kind), 0.8f) : Rgb{20, 12, 6};
            Canvas frame(kPointsWidth, kPointsHeight);
            text.DrawCentered(frame, {Font::CondensedBold, 11, fill, 1, edge}, values[i], kPointsWidth / 2, 10);
            sheet.Draw(frame, i * kPointsWidth, (kind - 1) * kPointsHeight);
        }
    return sheet;
}

Canvas KindIcon(int kind) {
    Canvas icon(16, 16);
    icon.FillCircle(8, 8, 7.5f, {255, 245, 200}, 0.35f);
    DrawTreasure(icon, kind, 8, 8, 14);
    return icon;
}

// Two frames side by side that blink: gold on navy, then navy on gold.
Canvas TurnBonus(TextPainter& text, int turns) {
    Canvas strip(kBonusWidth * 2, kBonusHeight);
    const std::string label = "+" + std::to_string(turns) + " TURNS";
    for (int f = 0; f < 2; ++f) {
        const Rgb face = f ? Rgb{250, 205, 90} : Rgb{12, 34, 66};
        const Rgb ink = f ? Rgb{40, 20, 5} : Rgb{255, 220, 110};
        const int x = f * kBonusWidth;
        strip.Panel(x + 1, 1, kBonusWidth - 2, kBonusHeight - 2, 9, 2, {255, 240, 190}, face);
        TextStyle style{Font::SansBold, 14, ink, 0, {}};
        while (text.Measure(style, label) > kBonusWidth - 18) --style.size;
        text.DrawCentered(strip, style, label, x + kBonusWidth / 2, 16);
    }
    return strip;
}

Canvas Button(TextPainter& text, const std::string& label) {
    return ButtonStrip(text, label, {kButtonWidth, kButtonHeight, 13, 25});
}
}  // namespace

Canvas ButtonStrip(TextPainter& text, const std::string& label, const ButtonLook& look) {
    const int width = look.width, height = look.height;
    Canvas strip(width * 3, height);
    for (int state = 0; state < 3; ++state) {
        const int x = state * width;
        const int sink = state == 2 ? 1 : 0;
        const Rgb top = state == 1 ? Rgb{60, 130, 190} : state == 2 ? Rgb{14, 44, 80} : Rgb{34, 84, 136};
        const Rgb bottom = state == 1 ? Rgb{24, 70, 120} : state == 2 ? Rgb{24, 64, 104} : Rgb{14, 44, 82};
        const Rgb rim = state == 1 ? Rgb{255, 230, 150} : Rgb{190, 150, 70};
        strip.FillRoundRect(x + 1, 2, width - 2, height - 2, 7, {4, 10, 20});
        strip.FillRoundRect(x + 1, 1 + sink, width - 2, height - 3, 7, rim);
        Canvas face(width, height);
        face.VerticalGradient(0, 0, width, height, top, bottom);
        for (int y = 0; y < height; ++y)
            for (int xx = 0; xx < width; ++xx) {
                const float fx = xx + 0.5f, fy = y + 0.5f - sink;
                const float dx = std::max({4.0f + 6 - fx, 0.0f, fx - (width - 4.0f - 6)});
                const float dy = std::max({3.0f + 6 - fy, 0.0f, fy - (height - 5.0f - 6)});
                if (dx * dx + dy * dy <= 36.0f && fx > 4 && fx < width - 4 && fy > 3 && fy < height - 5)
                    strip.Set(x + xx, y, face.At(xx, y));
            }
        const Rgb ink = state == 1 ? Rgb{255, 240, 190} : Rgb{240, 215, 150};
        TextStyle style{Font::CondensedBold, look.fontSize, ink, 1, {4, 14, 28}};
        while (text.Measure(style, label) > width - 10) --style.size;
        text.DrawCentered(strip, style, label, x + width / 2, look.baseline + sink);
    }
    return strip;
}

std::vector<NamedPicture> MakeHudPictures(TextPainter& text) {
    std::vector<NamedPicture> pictures;
    pictures.push_back({"NumberFont.bmp", NumberFont(text)});
    pictures.push_back({"scores.bmp", PointsImages(text)});
    for (int kind = 1; kind <= kTreasureKinds; ++kind)
        pictures.push_back({"g" + std::to_string(kind) + ".bmp", KindIcon(kind)});
    for (int i = 1; i <= 5; ++i)
        pictures.push_back({"turnbonus" + std::to_string(3 * i) + ".bmp", TurnBonus(text, 3 * i)});
    pictures.push_back({"help.bmp", Button(text, "Help")});
    pictures.push_back({"newgame.bmp", Button(text, "New Game")});
    pictures.push_back({"menu.bmp", Button(text, "Menu")});
    pictures.push_back({"exit.bmp", Button(text, "Exit")});
    return pictures;
}
