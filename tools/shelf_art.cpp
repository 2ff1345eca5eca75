#include "tools/shelf_art.h"

#include <string>

#include "tools/hud_art.h"

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

Canvas ShelfButton(TextPainter& text, const std::string& label) {
    return ButtonStrip(text, label, {kShelfButtonWidth, kShelfButtonHeight, 22, 32});
}

// Off in its three states, then on in its three.
Canvas Switch(TextPainter& text, const std::string& label) {
    const Canvas off = ShelfButton(text, label + ": off");
    const Canvas on = ShelfButton(text, label + ": on");
    Canvas c(off.Width() * 2, off.Height());
    c.Draw(off, 0, 0);
    c.Draw(on, off.Width(), 0);
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
    const char* buttons[][2] = {{"play", "Play"},         {"options", "Options"}, {"halloffame", "Hall of Fame"},
                                {"howtoplay", "How to Play"}, {"quit", "Quit"},   {"back", "Back"}};
    for (const auto& [name, label] : buttons) {
        pictures.push_back({std::string(name) + ".bmp", ShelfButton(text, label)});
    }
    const char* switches[][2] = {
        {"music", "Music"}, {"effects", "Effects"}, {"fullscreen", "Full screen"}, {"sharp", "Sharp scaling"}};
    for (const auto& [name, label] : switches) {
        pictures.push_back({std::string(name) + ".bmp", Switch(text, label)});
    }
    return pictures;
}
