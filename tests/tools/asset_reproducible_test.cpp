// Generating the assets again gives the very same bytes, and the inland tile
// covers the board's cells without gaps or overlaps at the game's positions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "game/board.h"
#include "game_files.h"
#include "temp_dir.h"

namespace {
TEST(AssetReproducible, ASecondRunWritesIdenticalFiles) {
    TempDir dir;
    const std::string command = std::string(REEF_MAKE_ASSETS) + " " + dir.Path().string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
        if (!entry.is_regular_file()) continue;
        const auto relative = std::filesystem::relative(entry.path(), dir.Path());
        EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(GameFile(relative.string()))) << relative;
        ++compared;
    }
    EXPECT_GE(compared, 50);
}

TEST(AssetReproducible, InlandTilesCoverEveryBoardPixelExactlyOnce) {
    Picture sheet = LoadPicture("islands.bmp");
    ASSERT_TRUE(sheet);
    const int columns = sheet->w / 14, frame = 63;  // the plain inland tile
    std::vector<int> cover(800 * 600);
    for (int cell = 0; cell < Board::kCellCount; ++cell)
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 14; ++x)
                if (!ReadsAsKey(PixelAt(sheet.get(), (frame % columns) * 14 + x, (frame / columns) * 17 + y)))
                    ++cover[(Board::CellY(cell) + y) * 800 + Board::CellX(cell) + x];
    // Inside the board (away from its ragged outline) every pixel belongs to one tile.
    const int left = Board::CellX(Board::Index(1, 1)) + 7, right = Board::CellX(Board::Index(36, 2)) + 7;
    const int top = Board::CellY(Board::Index(0, 1)) + 8, bottom = Board::CellY(Board::Index(0, 35)) + 8;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) ASSERT_EQ(cover[y * 800 + x], 1) << "pixel " << x << ", " << y;
}
}  // namespace
