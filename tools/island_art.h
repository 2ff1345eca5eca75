#pragma once
// "islands.bmp": the sheet of 14 x 17 land tiles, frames row by row.
#include "tools/canvas.h"

inline constexpr int kIslandSheetColumns = 8;

// One land tile: a coast piece (frame 0 to 62, bit d set where neighbour d is
// land) or an inland piece (63 onwards).
Canvas MakeIslandTile(int frame);
Canvas MakeIslandSheet();
