#include "tools/board_layout.h"

#include "game/board_geometry.h"
#include "tools/hex_tile.h"

BoardLayout::BoardLayout() : owner_(kScreenWidth * kScreenHeight, -1) {
    for (int cell = 0; cell < BoardGeometry::kCellCount; ++cell)
        for (int y = 0; y < kSeaTile.height; ++y)
            for (int x = 0; x < kSeaTile.width; ++x)
                if (TileOwns(kSeaTile, x, y)) owner_[(BoardGeometry::CellY(cell) + y) * kScreenWidth + BoardGeometry::CellX(cell) + x] = cell;
}

Offset BoardLayout::CellCentre(int cell) {
    return {BoardGeometry::CellX(cell) + kSeaTile.centre.x, BoardGeometry::CellY(cell) + kSeaTile.centre.y};
}

int BoardLayout::CellAtPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return -1;
    return owner_[y * kScreenWidth + x];
}

bool BoardLayout::Playable(int x, int y) const {
    const int cell = CellAtPixel(x, y);
    return cell >= 0 && !BoardGeometry::IsExcluded(cell);
}
