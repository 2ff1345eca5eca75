#include "tools/hex_tile.h"

#include <cmath>

bool TileOwns(const TileFrame& frame, int x, int y) {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return false;
    const float dx = x + 0.5f - frame.centre.x, dy = y + 0.5f - frame.centre.y;
    const float own = dx * dx + dy * dy;
    for (const Offset& n : kNeighbourOffsets) {
        const float ox = dx - n.x, oy = dy - n.y;
        const float other = ox * ox + oy * oy;
        const bool neighbour_wins_tie = n.y > 0 || (n.y == 0 && n.x > 0);
        if (other < own || (other == own && neighbour_wins_tie)) return false;
    }
    return true;
}

float DistanceTowards(const TileFrame& frame, float fx, float fy, int direction) {
    const float dx = fx - frame.centre.x, dy = fy - frame.centre.y;
    const Offset n = kNeighbourOffsets[direction];
    return std::hypot(dx, dy) - std::hypot(dx - n.x, dy - n.y);
}
