// The rules of a click on the sea: refusals, finds with their streak value
// and completion bonus, and the sonar wave of an empty search.
#include <algorithm>

#include "game/board.h"
#include "game/search_host.h"

void Board::Search(int cell, SearchHost& host) {
    if (cell < 0 || cell >= kCellCount) return;
    if (IsExcluded(cell)) {
        host.PlaySound("negative");
        return;
    }
    Cell& target = cells[cell];
    if (cell == lastCell || target.state > CellState::kFoundBase) return;
    if (IsIsland(cell)) {
        host.PlaySound("negative");
        return;
    }
    if (lastCell != -1) {
        Cell& last = cells[lastCell];
        last.state = last.kind != 0 ? CellState::kFoundBase + last.kind : CellState::kSwept;
        last.dirty = 1;
    }
    lastCell = cell;
    if (target.kind != 0) {
        ScoreFind(cell, host);
    } else {
        RunWave(cell, host);
    }
}

void Board::ScoreFind(int cell, SearchHost& host) {
    Cell& target = cells[cell];
    const int k = target.kind - 1;
    ++found[k];
    ++chain[k];
    if (found[k] == kCellsPerKind) {
        // Every kind found whole within the running streak pays, not only
        // the one just completed.
        auto wholeInStreak = std::count(chain.begin(), chain.end(), kCellsPerKind);
        int bonus = kTurnsPerSet * static_cast<int>(wholeInStreak);
        if (bonus > 0) {
            turnsLeft += bonus;
            host.ShowTurnBonus(bonus);
            host.PlaySound("5treasure");
        }
    }
    findValue += findStep;
    int pointsImage;
    if (findValue > kFindCap) {
        score += kFindCap;
        pointsImage = 5;
    } else {
        score += findValue;
        pointsImage = (findValue - findBase) / findStep;
    }
    host.SpawnFloatingScore(cell, pointsImage);
    host.PlaySound("1treasure");
    if (--treasureLeft == 0) roundCleared = 1;
    target.state = CellState::kFoundBase + target.kind;
    target.dirty = 1;
    host.RedrawDirtyCells();
    host.PresentScene();
}

void Board::RunWave(int cell, SearchHost& host) {
    cells[cell].state = CellState::kCurrent;
    cells[cell].dirty = 1;
    findValue = findBase;
    turnsLeft -= kSearchCost;
    host.PlaySound("search");
    chain.fill(0);
    waveStop = 0;
    for (int radius = 0; !waveStop; ++radius) {
        probe = 1;
        int reached = MarkRing(cell, radius, CellState::kWave);
        probe = 0;
        if (radius > 1) MarkRing(cell, radius - 1, CellState::kSwept);
        host.RedrawDirtyCells();
        host.PresentScene();
        host.Pause(kWavePauseMs);
        // With no unfound treasure on the board the wave would never stop;
        // it ends once it has passed the last cell.
        if (radius > 0 && reached == 0) break;
    }
    host.StopSound("search");
}
