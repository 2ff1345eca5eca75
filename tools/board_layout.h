#pragma once
// Which board cell each pixel of the 800 x 600 screen belongs to, using the
// game's own cell positions.
#include <vector>

#include "tools/hex_tile.h"

class BoardLayout {
public:
    static constexpr int kScreenWidth = 800;
    static constexpr int kScreenHeight = 600;

    BoardLayout();
    // The centre of the cell's hexagon on the screen (pixel x spans x..x+1).
    static Offset CellCentre(int cell);
    // The cell whose tile owns the pixel, or -1 off the board.
    int CellAtPixel(int x, int y) const;
    // On the board and not one of the excluded cells.
    bool Playable(int x, int y) const;

private:
    std::vector<int> owner_;
};
