#include "tools/island_maps.h"

#include <algorithm>

#include "tools/tool_random.h"

namespace {
constexpr int kDirections = 6;
// A map is accepted when at least this share of placement attempts would
// succeed: plenty of room for five lines of five.
constexpr float kMinOpenLineShare = 0.4f;

bool Neighbour(int cell, int direction, int& out) {
    int col = BoardGeometry::Column(cell), row = BoardGeometry::Row(cell);
    BoardGeometry::Step(col, row, static_cast<HexDirection>(direction));
    if (!BoardGeometry::OnBoard(col, row)) return false;
    out = BoardGeometry::Index(col, row);
    return true;
}

int LandNeighbours(const std::vector<bool>& land, int cell) {
    int count = 0, n;
    for (int d = 0; d < kDirections; ++d)
        if (Neighbour(cell, d, n) && land[n]) ++count;
    return count;
}

// A cell that may become land: on the board's inner part, not excluded.
bool Buildable(int cell) {
    const int col = BoardGeometry::Column(cell), row = BoardGeometry::Row(cell);
    return !BoardGeometry::IsExcluded(cell) && col >= 1 && col < BoardGeometry::kColumns - 1 && row >= 1 && row < BoardGeometry::kRows - 1;
}

// Land cells owned by another island than `island`, next to `cell`.
bool TouchesOtherIsland(const std::vector<int>& owner, int cell, int island) {
    int n;
    for (int d = 0; d < kDirections; ++d)
        if (Neighbour(cell, d, n) && owner[n] >= 0 && owner[n] != island) return true;
    return false;
}

std::vector<bool> GrowIslands(ToolRandom& random, int land_target, int islands) {
    std::vector<int> owner(BoardGeometry::kCellCount, -1);
    std::vector<std::vector<int>> members(islands);
    for (int i = 0; i < islands; ++i) {
        for (int tries = 0; tries < 200; ++tries) {
            const int cell = random.Below(BoardGeometry::kCellCount);
            if (Buildable(cell) && owner[cell] < 0 && !TouchesOtherIsland(owner, cell, i)) {
                owner[cell] = i;
                members[i].push_back(cell);
                break;
            }
        }
    }
    int land = 0;
    for (const auto& m : members) land += static_cast<int>(m.size());
    for (int stall = 0; land < land_target && stall < 5000; ++stall) {
        const int island = random.Below(islands);
        if (members[island].empty()) continue;
        // Of a few random coast cells, grow where the land is thickest: round shapes, few spurs.
        int best = -1, best_score = -1;
        for (int k = 0; k < 4; ++k) {
            const int from = members[island][random.Below(static_cast<int>(members[island].size()))];
            int cell;
            if (!Neighbour(from, random.Below(kDirections), cell)) continue;
            if (owner[cell] >= 0 || !Buildable(cell) || TouchesOtherIsland(owner, cell, island)) continue;
            int score = 0, n;
            for (int d = 0; d < kDirections; ++d)
                if (Neighbour(cell, d, n) && owner[n] == island) ++score;
            if (score > best_score) best = cell, best_score = score;
        }
        if (best < 0) continue;
        owner[best] = island;
        members[island].push_back(best);
        ++land;
    }
    std::vector<bool> result(BoardGeometry::kCellCount);
    for (int c = 0; c < BoardGeometry::kCellCount; ++c) result[c] = owner[c] >= 0;
    // Fill lagoons of one cell: they read as holes, not as sea.
    for (int c = 0; c < BoardGeometry::kCellCount; ++c)
        if (!result[c] && Buildable(c) && LandNeighbours(result, c) == kDirections) result[c] = true;
    return result;
}

int8_t FrameFor(const std::vector<bool>& land, int cell, ToolRandom& random) {
    int mask = 0, n;
    for (int d = 0; d < kDirections; ++d)
        if (Neighbour(cell, d, n) && land[n]) mask |= 1 << d;
    if (mask != (1 << kDirections) - 1) return static_cast<int8_t>(mask);
    // Plain grass most of the time, now and then a palm, a hill, a hut.
    const int pick = random.Below(19);
    const int variant = pick < 10 ? 0 : pick < 12 ? 1 : 2 + (pick - 12);
    return static_cast<int8_t>(kInlandFirstFrame + variant);
}
}  // namespace

int CountOpenLines(const std::vector<bool>& land) {
    int open = 0;
    for (int start = 0; start < BoardGeometry::kCellCount; ++start) {
        for (int d = 0; d < kDirections; ++d) {
            int col = BoardGeometry::Column(start), row = BoardGeometry::Row(start), k = 0;
            for (; k < BoardGeometry::kCellsPerKind; ++k) {
                if (!BoardGeometry::OnBoard(col, row)) break;
                const int cell = BoardGeometry::Index(col, row);
                if (BoardGeometry::IsExcluded(cell) || land[cell]) break;
                BoardGeometry::Step(col, row, static_cast<HexDirection>(d));
            }
            if (k == BoardGeometry::kCellsPerKind) ++open;
        }
    }
    return open;
}

std::vector<IslandMap> MakeIslandMaps() {
    std::vector<IslandMap> maps;
    int playable = 0;
    for (int c = 0; c < BoardGeometry::kCellCount; ++c) playable += BoardGeometry::IsExcluded(c) ? 0 : 1;
    for (int m = 0; m < BoardGeometry::kMapCount; ++m) {
        for (uint64_t attempt = 0;; ++attempt) {
            ToolRandom random(static_cast<uint64_t>(m) * 977 + attempt * 13 + 5);
            const float share = m < 9 ? 0.07f + 0.011f * m : random.Range(0.07f, 0.16f);
            const int islands = m < 9 ? 3 + m / 2 : 3 + random.Below(5);
            std::vector<bool> land = GrowIslands(random, static_cast<int>(share * playable), islands);
            if (CountOpenLines(land) < kMinOpenLineShare * BoardGeometry::kCellCount * kDirections) continue;
            IslandMap map;
            for (int c = 0; c < BoardGeometry::kCellCount; ++c) map[c] = land[c] ? FrameFor(land, c, random) : int8_t{-1};
            maps.push_back(map);
            break;
        }
    }
    return maps;
}
