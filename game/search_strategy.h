#pragma once
// How the built-in player chooses the next cell to search, from what the
// screen shows only: which cells are land, swept, on a wave's front or found
// treasure (and of which kind). Where treasure is hidden is never looked at.
#include "game/board.h"

// The cell to search next, or -1 when no cell is worth a click.
//  1. A kind with some but not all cells found: the next cell along its line
//     (both ends once two are found), or a neighbour of a single find.
//  2. A cell on a wave's front ring, nearest the cell searched last (whose
//     own wave stopped on a ring that touched treasure).
//  3. The unsearched sea cell nearest the board's middle.
int ChooseSearch(const Board& board);
