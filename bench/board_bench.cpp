// Cost of the board's per-click work: a sonar wave across an open map
// (without the pauses between rings) and the hit test of a screen point.
#include <benchmark/benchmark.h>

#include "game/board.h"
#include "game/search_host.h"

namespace {

// Draws nothing and does not wait, so only the board's own work is timed.
class NullHost : public SearchHost {
public:
    void RedrawDirtyCells() override {}
    void PresentScene() override {}
    void Pause(uint32_t) override { ++pauses; }
    void PlaySound(const char*) override {}
    void StopSound(const char*) override {}
    void SpawnFloatingScore(int, int) override {}
    void ShowTurnBonus(int) override {}

    int pauses = 0;  // one per ring shown
};

// An all-sea map with one treasure cell in the far corner: a search from the
// opposite corner sends the wave over the whole board.
void BM_FullWaveOpenMap(benchmark::State& state) {
    Board board;
    NullHost host;
    const int start = Board::Index(3, 34);
    const int treasure = Board::Index(33, 2);
    for (auto _ : state) {
        state.PauseTiming();
        board.StartGame(25);
        board.ClearCells();
        board.cells[treasure].kind = 1;
        board.treasureLeft = 1;
        state.ResumeTiming();
        board.Search(start, host);
        benchmark::DoNotOptimize(board.waveStop);
    }
    state.counters["rings"] = static_cast<double>(host.pauses) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FullWaveOpenMap)->Unit(benchmark::kMicrosecond);

// Points spread over the whole picture, inside and outside the grid.
void BM_CellAt(benchmark::State& state) {
    int x = 0;
    int y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Board::CellAt(x, y));
        x = (x + 37) % 800;
        y = (y + 23) % 600;
    }
}
BENCHMARK(BM_CellAt);

}  // namespace

BENCHMARK_MAIN();
