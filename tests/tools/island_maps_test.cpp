// "islands.dat" holds 200 maps that the game can play: land only where it is
// drawn right, never on excluded cells, and always room for the five
// treasure lines; the inland tile of "islands.bmp" covers the board's cells
// without gaps or overlaps at the game's positions.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/board.h"
#include "game_files.h"

namespace {
constexpr int kMapBytes = Board::kCellCount;

// The 200 maps of one byte a cell; a file of another size fails the test.
std::vector<int8_t> LoadMaps() {
    std::string raw = ReadText(GameFile("islands.dat"));
    EXPECT_EQ(raw.size(), static_cast<size_t>(Board::kMapCount * kMapBytes));
    raw.resize(Board::kMapCount * kMapBytes);
    return {raw.begin(), raw.end()};
}

// Whether pixel (x, y) of a frame of the 14 by 17 island tiles is drawn.
bool Drawn(const SDL_Surface* sheet, int frame, int x, int y) {
    const int columns = sheet->w / 14;
    return !ReadsAsKey(PixelAt(sheet, (frame % columns) * 14 + x, (frame / columns) * 17 + y));
}

bool Neighbour(int cell, int direction, int& out) {
    int col = Board::Column(cell), row = Board::Row(cell);
    Board::Step(col, row, static_cast<HexDirection>(direction));
    out = Board::Index(col, row);
    return Board::OnBoard(col, row);
}

// The five cells from start in one direction, if all are open, playable sea.
bool OpenLine(const int8_t* map, int start, int direction, std::array<int, 5>& cells) {
    int col = Board::Column(start), row = Board::Row(start);
    for (int& cell : cells) {
        if (!Board::OnBoard(col, row)) return false;
        cell = Board::Index(col, row);
        if (Board::IsExcluded(cell) || map[cell] != -1) return false;
        Board::Step(col, row, static_cast<HexDirection>(direction));
    }
    return true;
}

TEST(IslandMaps, LandUsesFramesOfTheIslandSheetAndCoastFramesOnTheCoast) {
    Picture sheet = LoadPicture("islands.bmp");
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->w % 14 == 0 && sheet->h % 17 == 0);
    const int columns = sheet->w / 14, frames = columns * (sheet->h / 17);
    const std::vector<int8_t> maps = LoadMaps();
    std::vector<bool> used(128);
    for (int m = 0; m < Board::kMapCount; ++m) {
        const int8_t* map = &maps[m * kMapBytes];
        for (int cell = 0; cell < Board::kCellCount; ++cell) {
            const int frame = map[cell];
            if (frame == -1) continue;
            ASSERT_TRUE(frame >= 0 && frame < frames && !Board::IsExcluded(cell)) << "map " << m << " cell " << cell;
            used[frame] = true;
            // Frames below 63 are coast pieces named by their land neighbours.
            int mask = 0, n;
            for (int d = 0; d < 6; ++d)
                if (Neighbour(cell, d, n) && map[n] != -1) mask |= 1 << d;
            if (frame < 63)
                EXPECT_EQ(frame, mask) << "map " << m << " cell " << cell;
            else
                EXPECT_EQ(mask, 63) << "inland piece on the coast: map " << m << " cell " << cell;
        }
    }
    for (int frame = 0; frame < frames; ++frame) {
        if (!used[frame]) continue;
        int drawn = 0;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 14; ++x) drawn += Drawn(sheet.get(), frame, x, y);
        EXPECT_GT(drawn, 20) << "frame " << frame << " is used but nearly empty";
    }
}

TEST(IslandMaps, InlandTilesCoverEveryBoardPixelExactlyOnce) {
    Picture sheet = LoadPicture("islands.bmp");
    ASSERT_TRUE(sheet);
    std::vector<int> cover(800 * 600);
    for (int cell = 0; cell < Board::kCellCount; ++cell)
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 14; ++x)  // frame 63: the plain inland tile
                cover[(Board::CellY(cell) + y) * 800 + Board::CellX(cell) + x] += Drawn(sheet.get(), 63, x, y);
    // Inside the board (away from its ragged outline) every pixel belongs to one tile.
    const int left = Board::CellX(Board::Index(1, 1)) + 7, right = Board::CellX(Board::Index(36, 2)) + 7;
    const int top = Board::CellY(Board::Index(0, 1)) + 8, bottom = Board::CellY(Board::Index(0, 35)) + 8;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) ASSERT_EQ(cover[y * 800 + x], 1) << "pixel " << x << ", " << y;
}

TEST(IslandMaps, EveryMapLeavesRoomForFiveLinesOfFiveWithRoomToSpare) {
    const std::vector<int8_t> maps = LoadMaps();
    for (int m = 0; m < Board::kMapCount; ++m) {
        const int8_t* map = &maps[m * kMapBytes];
        std::vector<bool> taken(Board::kCellCount);
        int open_lines = 0, disjoint_lines = 0;
        for (int start = 0; start < Board::kCellCount; ++start)
            for (int d = 0; d < 6; ++d) {
                std::array<int, 5> cells;
                if (!OpenLine(map, start, d, cells)) continue;
                ++open_lines;
                if (std::none_of(cells.begin(), cells.end(), [&](int c) { return taken[c]; })) {
                    ++disjoint_lines;
                    for (int c : cells) taken[c] = true;
                }
            }
        // A round needs five separate lines; demand many more, and a good chance per attempt.
        EXPECT_GE(disjoint_lines, 50) << "map " << m;
        EXPECT_GE(open_lines, Board::kCellCount * 6 / 4) << "map " << m;
    }
}

TEST(IslandMaps, TheNineRoundsGetALittleMoreLand) {
    const std::vector<int8_t> maps = LoadMaps();
    std::array<int, 9> land{};
    for (int m = 0; m < 9; ++m)
        for (int cell = 0; cell < Board::kCellCount; ++cell) land[m] += maps[m * kMapBytes + cell] != -1;
    EXPECT_GT(land[0], 50) << "round 1 has islands";
    for (int m = 1; m < 9; ++m) EXPECT_GE(land[m], land[m - 1]) << "round " << m + 1;
    EXPECT_GT(land[8], land[0] * 3 / 2);
}
}  // namespace
