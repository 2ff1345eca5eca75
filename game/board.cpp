#include "game/board.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <new>

#include "platform/paths.h"

namespace {

constexpr long kIslandFileBytes = static_cast<long>(Board::kMapCount) * Board::kCellCount;

// An island byte read as a signed value: 0..127 is land drawn with that
// frame; -1 is open sea. Other negative bytes have no picture to draw, so
// they are open sea as well rather than invisible land that refuses clicks.
int32_t IslandFromByte(unsigned char byte) {
    return byte < 0x80 ? static_cast<int32_t>(byte) : -1;
}

}  // namespace

Board::Board() : maps(kMapCount) { SelectMap(); }

void Board::SetCellState(int cell, int32_t mode) {
    using namespace CellState;
    const int32_t state = cells[cell].state;
    const bool untouchedOrFront = state == kHidden || state == kCurrent || state == kWave;
    int32_t next = state;
    bool write = false;
    if (mode == kWave) {
        // A wave front lights up sea it passes; swept sea shows it is under
        // the front. Found treasure never changes.
        write = untouchedOrFront || state == kSwept;
        next = state == kSwept ? kSweptUnderWave : kWave;
    } else if (mode == kSwept) {
        write = untouchedOrFront || state == kSweptUnderWave;
        next = kSwept;
    } else if (mode == kHidden) {
        write = state <= kFoundBase && state != kSwept && state != kSweptUnderWave;
        next = kHidden;
    }
    if (write) {
        cells[cell].state = next;
        cells[cell].dirty = 1;
    }
}

int Board::MarkRing(int centre, int radius, int32_t mode) {
    int visited = 0;
    WalkRing(centre, radius, [&](int cell) {
        const Cell& c = cells[cell];
        if (probe && c.kind != 0 && c.state <= CellState::kFoundBase) waveStop = 1;
        SetCellState(cell, mode);
        ++visited;
    });
    return visited;
}

void Board::LoadIslands() {
    // Cells beyond the end of a short file stay open sea, as do all of them
    // when there is no memory to read the file into.
    std::vector<unsigned char> bytes;
    try {
        bytes.assign(kIslandFileBytes, 0xFF);
    } catch (const std::bad_alloc&) {
        for (Map& map : maps) {
            for (Cell& cell : map) {
                cell.island = -1;
                cell.dirty = 1;
            }
        }
        return;
    }
    if (std::FILE* file = plat::OpenFile("islands.dat", "rb")) {
        // Bytes a failed read leaves behind are not the file's: sea too.
        const size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(read), bytes.end(), 0xFF);
        std::fclose(file);
    }
    for (int m = 0; m < kMapCount; ++m) {
        for (int i = 0; i < kCellCount; ++i) {
            Cell& cell = maps[m][i];
            cell.island = IslandFromByte(bytes[static_cast<size_t>(m) * kCellCount + i]);
            cell.dirty = 1;
        }
    }
}

void Board::ClearCells() {
    for (int i = 0; i < kCellCount; ++i) {
        Cell& cell = cells[i];
        cell.state = CellState::kHidden;
        cell.kind = 0;
        cell.dirty = cell.island != -1 ? 1 : 0;
    }
    roundCleared = 0;
    lastCell = -1;
}

void Board::StartGame(int turns) {
    turnsLeft = turns;
    round = 0;
    findStep = 25;
    findBase = 100;
    findValue = findBase;
    score = 0;
    chain.fill(0);
}
