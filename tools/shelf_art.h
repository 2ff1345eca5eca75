#pragma once
// The launcher's pictures: its backdrop with the title and a panel, the page
// headings, the mark behind the current player's rows in the hall of fame,
// and its buttons (the switches with an off and an on strip side by side).
#include <vector>

#include "tools/named_picture.h"
#include "tools/text_painter.h"

inline constexpr int kShelfButtonWidth = 240;
inline constexpr int kShelfButtonHeight = 48;

std::vector<NamedPicture> MakeShelfPictures(TextPainter& text);
