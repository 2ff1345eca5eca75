#pragma once
// A high-score table of the game's size made in one declaration.
#include <initializer_list>
#include <utility>

#include "game/high_score_table.h"

// A table of 20 holding the scores given, the rest empty.
struct ScoreTable : HighScoreTable {
    ScoreTable(std::initializer_list<std::pair<const char*, int32_t>> scores = {}) {
        Create(kGameEntries);
        for (auto [name, score] : scores) Insert(name, score);
    }
};
