#pragma once
// The shape of one board cell's tile. Cells sit 14 pixels apart in a row and
// 12 pixels apart between rows, odd rows shifted 7 pixels right, so the
// pixels nearest to each cell's centre form a pointy-top hexagon that fits a
// 14 x 17 tile drawn at (BoardGeometry::CellX, BoardGeometry::CellY). Tile pictures paint
// exactly those pixels, so neighbouring tiles fit together without overlap.
#include <array>

inline constexpr int kTileWidth = 14;
inline constexpr int kTileHeight = 17;
// The centre of the cell inside its tile.
inline constexpr float kTileCentreX = 7.0f;
inline constexpr float kTileCentreY = 8.5f;

struct Offset {
    float x, y;
};
// Centre-to-centre offsets of the six neighbours, in Board's HexDirection
// order: right, left, up-left, up-right, down-right, down-left.
inline constexpr std::array<Offset, 6> kNeighbourOffsets{
    {{14, 0}, {-14, 0}, {-7, -12}, {7, -12}, {7, 12}, {-7, 12}}};

// Whether the pixel (x, y) of a tile belongs to its cell. Ties between two
// cells go to the one below, or to the right on the same row.
bool TileOwns(int x, int y);
// Point (fx, fy) in tile coordinates: distance to the cell's own centre minus
// the distance to the given neighbour's centre (negative inside the cell).
float DistanceTowards(float fx, float fy, int direction);
