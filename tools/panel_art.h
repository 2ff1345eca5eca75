#pragma once
// The pictures shown as panels over the board: the round panels with a chart
// of the round's reef, their small versions for the status panel, game over,
// congratulations and the hall-of-fame notice.
#include <vector>

#include "tools/board_layout.h"
#include "tools/island_maps.h"
#include "tools/named_picture.h"
#include "tools/text_painter.h"

inline constexpr int kRoundPanelWidth = 370;
inline constexpr int kRoundPanelHeight = 310;
inline constexpr int kRoundThumbWidth = 126;
inline constexpr int kRoundThumbHeight = 96;
inline constexpr int kHallOfFameWidth = 300;
inline constexpr int kHallOfFameHeight = 120;

std::vector<NamedPicture> MakePanelPictures(const BoardLayout& layout, const std::vector<IslandMap>& maps,
                                            TextPainter& text);
