// Island maps: "islands.dat" read into the board, treasure hidden on the
// first map (the one an input of a few kilobytes shapes) and a few searches
// played on it, waves and all.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "game/board.h"
#include "game/random.h"
#include "game/search_host.h"

namespace {

// The rest of the game as far as a search needs it: nothing to draw or play.
class QuietHost : public SearchHost {
public:
    void RedrawDirtyCells() override {}
    void PresentScene() override {}
    void Pause(uint32_t) override {}
    void PlaySound(const char*) override {}
    void StopSound(const char*) override {}
    void SpawnFloatingScore(int, int) override {}
    void ShowTurnBonus(int) override {}
};

Board* g_board = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    g_board = new Board();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("islands.dat", data, size);
    Board& board = *g_board;
    if (!board.LoadIslands()) return 0;
    board.StartGame(25);
    QuietHost host;
    board.mapIndex = 0;
    board.SelectMap();
    board.ClearCells();
    SeedRandom(static_cast<uint32_t>(size));
    board.PlaceTreasures();
    // Searches on cells the input picks with its last bytes.
    for (std::size_t i = 0; i < 3 && i < size; ++i) {
        const int cell = (data[size - 1 - i] * 11 + static_cast<int>(i) * 353) % Board::kCellCount;
        board.Search(cell, host);
    }
    return 0;
}
