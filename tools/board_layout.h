#pragma once
// Which board cell each pixel of the 800 x 600 screen belongs to, using the
// game's own cell positions.
#include <vector>

class BoardLayout {
public:
    static constexpr int kScreenWidth = 800;
    static constexpr int kScreenHeight = 600;

    BoardLayout();
    // The cell whose tile owns the pixel, or -1 off the board.
    int CellAtPixel(int x, int y) const;
    // On the board and not one of the excluded cells.
    bool Playable(int x, int y) const;

private:
    std::vector<int> owner_;
};
