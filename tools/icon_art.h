#pragma once
// The program's desktop icon: an open treasure chest on a tile of sea, drawn
// at any size so each size is sharp rather than scaled from another.
#include "tools/canvas.h"

// A square picture of size by size pixels; the corners are transparent.
Canvas MakeIcon(int size);
