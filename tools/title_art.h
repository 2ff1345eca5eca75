#pragma once
// The full-screen splash and credits pictures and the how-to-play page.
#include <vector>

#include "tools/named_picture.h"
#include "tools/text_painter.h"

inline constexpr int kHowToPlayWidth = 560;
inline constexpr int kHowToPlayHeight = 520;

std::vector<NamedPicture> MakeTitlePictures(TextPainter& text);
