#pragma once
// The launcher's pictures: its backdrop with the title and a panel, the page
// headings, the mark behind the current player's rows in the hall of fame,
// its buttons (the switches with an off and an on strip side by side), the
// players page's rows and small buttons, the caption laid over the help
// picture's last line, and the font the names are drawn with.
#include <vector>

#include "tools/named_picture.h"
#include "tools/text_painter.h"

inline constexpr int kShelfButtonWidth = 240;
inline constexpr int kShelfButtonHeight = 48;

// The name font: the characters from U+0020 to U+017F (Basic Latin, Latin-1
// and Latin Extended-A), kNameFontColumns to a row, in cells of equal size,
// each glyph drawn from the cell's left edge on pure blue. The launcher takes
// the cell size from the picture's size and each advance from the glyph's ink.
inline constexpr char32_t kNameFontFirst = 0x20;
inline constexpr char32_t kNameFontEnd = 0x180;
inline constexpr int kNameFontColumns = 32;

std::vector<NamedPicture> MakeShelfPictures(TextPainter& text);
