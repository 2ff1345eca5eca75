#pragma once
// The five treasure kinds as small pictures, shared by the cell tiles, the
// completed-kind icons, the points images and the rules page.
#include "tools/canvas.h"

inline constexpr int kTreasureKinds = 5;

// The main colour of kind 1 to 5: gold, ruby, emerald, pearl, amethyst.
Rgb TreasureColor(int kind);
// Draws kind 1 to 5 centred on (cx, cy), about `size` pixels across.
void DrawTreasure(Canvas& canvas, int kind, float cx, float cy, float size);

// A treasure chest centred on (cx, cy), `width` pixels wide; an open one
// shows a heap of coins and gems.
void DrawChest(Canvas& canvas, float cx, float cy, float width, bool open);
