#pragma once
// The shape of one board cell's tile. Cells sit 14 pixels apart in a row and
// 12 pixels apart between rows, odd rows shifted 7 pixels right, so the
// pixels nearest to each cell's centre form a pointy-top hexagon 14 pixels
// across. A tile is a frame drawn with its top-left corner at
// (BoardGeometry::CellX, BoardGeometry::CellY) that paints exactly its
// hexagon's pixels, so neighbouring tiles fit together without overlap.
#include <array>

#include "game/board_geometry.h"

struct Offset {
    float x, y;
};

struct TileFrame {
    int width, height;
    Offset centre;  // the cell's centre inside the frame (pixel x spans x..x+1)
};

// Where the game's hit test selects the cell: its hit box less the strips
// that overlap the boxes of the row above and of the cell to the left, which
// win those points (lower indexes are tried first). That leaves one pitch of
// the box's far end in each direction; its middle lies half a pitch before
// the box's far edge.
inline constexpr Offset kHitCentre{
    BoardGeometry::kHitInset + BoardGeometry::kHitSize - BoardGeometry::kColumnPitch / 2.0f,
    BoardGeometry::kHitInset + BoardGeometry::kHitSize - BoardGeometry::kRowPitch / 2.0f};

// Sea tiles (tileset.bmp) and the board's grid on the background: the hexagon
// centred where clicks select the cell, so a click on a drawn cell selects
// it. The frame reaches half a column right of the centre and a hexagon's
// corner (14 / sqrt 3 pixels) below it.
inline constexpr TileFrame kSeaTile{17, 20, kHitCentre};
// Island tiles (islands.bmp): the game cuts that sheet into 14 x 17 frames,
// which hold the hexagon only centred on them; island cells are never clicked.
inline constexpr TileFrame kIslandTile{14, 17, {7.0f, 8.5f}};

// Centre-to-centre offsets of the six neighbours, in Board's HexDirection
// order: right, left, up-left, up-right, down-right, down-left.
inline constexpr float kColumnStep = BoardGeometry::kColumnPitch;
inline constexpr float kRowStep = BoardGeometry::kRowPitch;
inline constexpr std::array<Offset, 6> kNeighbourOffsets{
    {{kColumnStep, 0}, {-kColumnStep, 0}, {-kColumnStep / 2, -kRowStep}, {kColumnStep / 2, -kRowStep},
     {kColumnStep / 2, kRowStep}, {-kColumnStep / 2, kRowStep}}};

// Whether the pixel (x, y) of a frame belongs to its cell. Ties between two
// cells go to the one below, or to the right on the same row.
bool TileOwns(const TileFrame& frame, int x, int y);
// Point (fx, fy) in frame coordinates: distance to the cell's own centre minus
// the distance to the given neighbour's centre (negative inside the cell).
float DistanceTowards(const TileFrame& frame, float fx, float fy, int direction);
