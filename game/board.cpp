#include "game/board.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>

#include "platform/paths.h"

namespace {

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

bool Board::AllocateMaps() {
    if (maps.empty()) {
        try {
            maps.resize(kMapCount);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    SelectMap();
    return true;
}

Status Board::LoadIslands() {
    const Status noMemory =
        Status::Failed("islands.dat could not be read for lack of memory; the game cannot go on.");
    std::FILE* file = nullptr;
    try {
        errno = 0;
        file = plat::OpenFile("islands.dat", "rb");
    } catch (const std::bad_alloc&) {
        return noMemory;
    }
    if (file == nullptr && errno == ENOMEM) return noMemory;
    // One map at a time through the stack: reading takes no memory of its
    // own. Cells beyond the end of a short file stay open sea.
    unsigned char bytes[kCellCount];
    for (Map& map : maps) {
        const size_t got = file != nullptr ? std::fread(bytes, 1, sizeof bytes, file) : 0;
        std::fill(bytes + got, bytes + kCellCount, 0xFF);
        for (int i = 0; i < kCellCount; ++i) {
            map[i].island = IslandFromByte(bytes[i]);
            map[i].dirty = 1;
        }
    }
    if (file != nullptr) std::fclose(file);
    return Status();
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
