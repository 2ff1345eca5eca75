// Drawing cells into the background layer: which cells Redraw draws, and
// cells whose frames the pictures do not have.
#include "display/dirty_rect_manager.h"
#include "game/board.h"
#include "headless_shell.h"
#include "scene/sprite.h"
#include "surface_test_util.h"

namespace {

constexpr uint16_t kSea = 0x1234;
constexpr uint16_t kLand = 0x4321;
constexpr uint16_t kPaper = kWhite565;

class BoardDrawTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        g_DirtyRects.SetBackground(background.get());
        // Every tile frame one colour, every island frame another; only four
        // island frames, so higher island numbers have no picture.
        for (int f = 0; f < 11; ++f) tiles.AddFrame(FilledSurface(14, 17, kSea));
        for (int f = 0; f < 4; ++f) islands.AddFrame(FilledSurface(14, 17, kLand));
        board.tileSprite = &tiles;
        board.islandSprite = &islands;
        EXPECT_TRUE(board.LoadIslands());  // no file: all sea
        board.ClearCells();
    }
    void TearDown() override {
        g_DirtyRects.SetBackground(nullptr);
        HeadlessShell::TearDown();
    }
    uint16_t CellPixel(int cell) const {
        return PixelAt(background.get(), Board::CellX(cell) + 7, Board::CellY(cell) + 8);
    }
    OwnedSurface background{FilledSurface(800, 600, kPaper)};
    Sprite tiles, islands;
    Board board;
};

TEST_F(BoardDrawTest, RedrawDrawsDirtyCellsOrEveryVisibleCellAndClearsTheFlags) {
    const int land = Board::Index(10, 10), swept = Board::Index(12, 10), quiet = Board::Index(14, 10);
    const int hidden = Board::Index(16, 10);
    board.cells[land].island = 2;
    board.cells[swept].state = board.cells[quiet].state = CellState::kSwept;  // quiet: visible but clean
    for (int cell : {land, swept, hidden}) board.cells[cell].dirty = 1;

    board.Redraw(false);
    EXPECT_EQ(std::vector<uint16_t>({CellPixel(land), CellPixel(swept), CellPixel(quiet), CellPixel(hidden)}),
              std::vector<uint16_t>({kLand, kSea, kPaper, kPaper}));
    EXPECT_EQ(board.cells[land].dirty + board.cells[swept].dirty, 0);
    // Hidden sea is never drawn, so it stays marked.
    EXPECT_EQ(board.cells[hidden].dirty, 1);

    board.Redraw(true);
    EXPECT_EQ(std::make_pair(CellPixel(quiet), CellPixel(hidden)), std::make_pair(kSea, kPaper));
}

TEST_F(BoardDrawTest, CellsWithoutAPictureAndExcludedCellsDrawNothing) {
    const int beyond = Board::Index(10, 10);
    board.cells[beyond].island = 100;  // a map byte past the island frames
    board.DrawCell(0, 0, background.get());  // excluded corner
    Sprite empty;
    board.tileSprite = &empty;  // a tileset that did not load
    board.cells[Board::Index(12, 10)].state = CellState::kWave;
    board.Redraw(true);
    for (int cell : {beyond, Board::Index(12, 10), 0}) EXPECT_EQ(CellPixel(cell), kPaper) << cell;
    board.tileSprite = nullptr;
    board.Redraw(true);
}

}  // namespace
