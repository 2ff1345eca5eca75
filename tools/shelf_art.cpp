#include "tools/shelf_art.h"

#include <cmath>
#include <string>

#include "tools/hud_art.h"
#include "tools/title_art.h"

namespace {
constexpr Rgb kGold{240, 200, 110};
constexpr Rgb kInk{4, 14, 28};

Canvas Backdrop(TextPainter& text) {
    Canvas c(800, 600);
    c.VerticalGradient(0, 0, 800, 600, {18, 70, 120}, {4, 18, 40});
    c.Panel(180, 86, 440, 506, 18, 3, {190, 150, 70}, {10, 36, 64});
    text.DrawCentered(c, {Font::SerifBold, 52, kGold, 2, kInk}, "Reef Hoard", 400, 66);
    return c;
}

Canvas Heading(TextPainter& text, const std::string& title) {
    Canvas c(400, 40);
    text.DrawCentered(c, {Font::SansBold, 26, {255, 240, 190}, 1, kInk}, title, 200, 30);
    return c;
}

Canvas Mark() {
    Canvas c(360, 20);
    c.FillRoundRect(0, 0, 360, 20, 6, {60, 110, 60});
    return c;
}

constexpr ButtonLook kPageButton{kShelfButtonWidth, kShelfButtonHeight, 22, 32};
constexpr ButtonLook kSmallButton{132, 32, 17, 22};

// Two strips side by side: off (or not chosen) in its three states, then on.
Canvas Pair(const Canvas& off, const Canvas& on) {
    Canvas c(off.Width() * 2, off.Height());
    c.Draw(off, 0, 0);
    c.Draw(on, off.Width(), 0);
    return c;
}

Canvas Switch(TextPainter& text, const std::string& label, const ButtonLook& look) {
    return Pair(ButtonStrip(text, label + ": off", look), ButtonStrip(text, label + ": on", look));
}

// A player's row: a blank bar the name is drawn on; the chosen row has a gold rim.
Canvas PlayerRow(TextPainter& text) {
    const ButtonLook look{400, 24, 12, 16};
    const Canvas plain = ButtonStrip(text, "", look);
    Canvas chosen = plain;
    for (int state = 0; state < 3; ++state) {
        const int x = state * look.width;
        chosen.FillRect(x + 3, 1, look.width - 6, 2, kGold);
        chosen.FillRect(x + 3, look.height - 4, look.width - 6, 2, kGold);
        chosen.FillRect(x + 2, 3, 2, look.height - 7, kGold);
        chosen.FillRect(x + look.width - 4, 3, 2, look.height - 7, kGold);
    }
    return Pair(plain, chosen);
}

// The star before the current player's row.
Canvas CurrentStar() {
    Canvas c(16, 16);
    c.FillShape(0, 0, 16, 16, [](float x, float y) {
        // Five points: inside where the radius is below the star's outline at that angle.
        const float dx = x - 8, dy = y - 8.5f;
        const float angle = std::atan2(dx, -dy), radius = std::sqrt(dx * dx + dy * dy);
        const float spoke = std::fabs(std::fmod(angle + 10 * 3.14159265f, 2 * 3.14159265f / 5) - 3.14159265f / 5);
        return radius < 3.2f + 4.6f * (spoke / (3.14159265f / 5));
    }, kGold);
    return c;
}

// Laid over the help picture's last line, which speaks of the game.
Canvas HelpCaption(TextPainter& text) {
    Canvas c(kHowToPlayWidth - 40, 18, {14, 36, 66});
    text.DrawCentered(c, {Font::SansBold, 13, {170, 200, 220}, 0, {}}, "Click anywhere to return to the menu",
                      c.Width() / 2, 13);
    return c;
}

Canvas NameFont(TextPainter& text) {
    constexpr int kCellWidth = 18, kCellHeight = 20, kBaseline = 15;
    const int rows = static_cast<int>(kNameFontEnd - kNameFontFirst + kNameFontColumns - 1) / kNameFontColumns;
    Canvas c(kNameFontColumns * kCellWidth, rows * kCellHeight);
    const TextStyle style{Font::Sans, 14, {250, 244, 226}, 1, kInk};
    for (char32_t cp = kNameFontFirst; cp < kNameFontEnd; ++cp) {
        // The controls U+007F to U+009F stay blank.
        if (cp >= 0x7F && cp < 0xA0) continue;
        std::string utf8;
        if (cp < 0x80) {
            utf8 += static_cast<char>(cp);
        } else {
            utf8 += static_cast<char>(0xC0 | (cp >> 6));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        }
        const int index = static_cast<int>(cp - kNameFontFirst);
        Canvas cell(kCellWidth, kCellHeight);
        text.Draw(cell, style, utf8, 1, kBaseline);
        c.Draw(cell, (index % kNameFontColumns) * kCellWidth, (index / kNameFontColumns) * kCellHeight);
    }
    return c;
}
}  // namespace

std::vector<NamedPicture> MakeShelfPictures(TextPainter& text) {
    std::vector<NamedPicture> pictures;
    pictures.push_back({"backdrop.bmp", Backdrop(text)});
    pictures.push_back({"mark.bmp", Mark()});
    pictures.push_back({"heading_options.bmp", Heading(text, "Options")});
    pictures.push_back({"heading_halloffame.bmp", Heading(text, "Hall of Fame")});
    pictures.push_back({"heading_howtoplay.bmp", Heading(text, "How to Play")});
    pictures.push_back({"heading_players.bmp", Heading(text, "Players")});
    const char* buttons[][2] = {{"play", "Play"},         {"players", "Players"}, {"options", "Options"},
                                {"halloffame", "Hall of Fame"}, {"howtoplay", "How to Play"},
                                {"quit", "Quit"},         {"back", "Back"}};
    for (const auto& [name, label] : buttons) {
        pictures.push_back({std::string(name) + ".bmp", ButtonStrip(text, label, kPageButton)});
    }
    const char* switches[][2] = {
        {"music", "Music"}, {"effects", "Effects"}, {"fullscreen", "Full screen"}, {"sharp", "Sharp scaling"}};
    for (const auto& [name, label] : switches) {
        pictures.push_back({std::string(name) + ".bmp", Switch(text, label, kPageButton)});
    }
    const char* small[][2] = {{"save", "Save"}, {"use", "Play as this"}, {"new", "New player"}, {"clear", "Clear"}};
    for (const auto& [name, label] : small) {
        pictures.push_back({std::string(name) + ".bmp", ButtonStrip(text, label, kSmallButton)});
    }
    pictures.push_back({"send.bmp", Switch(text, "Send", kSmallButton)});
    pictures.push_back({"slot.bmp", PlayerRow(text)});
    pictures.push_back({"current.bmp", CurrentStar()});
    pictures.push_back({"help_caption.bmp", HelpCaption(text)});
    pictures.push_back({"namefont.bmp", NameFont(text)});
    return pictures;
}
