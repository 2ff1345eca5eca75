#pragma once
// The small pictures of the status panel and the board: the number font, the
// points images, the completed-kind icons, the turn-bonus notices and the
// four buttons.
#include <string>
#include <vector>

#include "tools/named_picture.h"
#include "tools/text_painter.h"

inline constexpr int kDigitWidth = 13;
inline constexpr int kDigitHeight = 20;
inline constexpr int kPointsWidth = 24;
inline constexpr int kPointsHeight = 12;
inline constexpr int kBonusWidth = 100;
inline constexpr int kBonusHeight = 22;
inline constexpr int kButtonWidth = 64;
inline constexpr int kButtonHeight = 40;

std::vector<NamedPicture> MakeHudPictures(TextPainter& text);

// A button's size and its label's size and baseline.
struct ButtonLook {
    int width;
    int height;
    int fontSize;
    int baseline;
};
// A button's three pictures, normal, hovered and pressed, side by side.
Canvas ButtonStrip(TextPainter& text, const std::string& label, const ButtonLook& look);
