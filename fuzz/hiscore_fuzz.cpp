// The high-score file: "hiscore.dat" loaded into the game's table of twenty,
// which then takes new scores as the end of a game offers them.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "game/high_score_table.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("hiscore.dat", data, size);
    HighScoreTable table;
    table.Create(HighScoreTable::kGameEntries);
    table.Load("hiscore.dat");
    for (int32_t score : {0, 1, 125, 8650, INT32_MAX, -1}) {
        table.Insert("Player1:::Y", score);
        table.TopScore();
    }
    return 0;
}
