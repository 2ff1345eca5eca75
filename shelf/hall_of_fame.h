#pragma once
// The hall of fame page's rows: the table the game keeps, in the file's
// order, each name shown as the part of the stored profile record before its
// first ':'.
#include <cstdint>
#include <string>
#include <vector>

struct HallOfFameRow {
    std::string name;
    int32_t score = 0;
    bool current = false;  // the current player's entry
};

// The twenty rows of the table in file (found as the game finds it); empty
// rows when the file is missing or not a whole table. A row is the current
// player's when its name is currentName (not empty).
std::vector<HallOfFameRow> ReadHallOfFame(const char* file, const std::string& currentName);
