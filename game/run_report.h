#pragma once
// The end-of-run report of a scripted run: key=value lines with the game's
// state, score, round, turns, best score, map, treasure left, the frames
// presented, the frame clock and the exit status.
#include <cstdint>
#include <string>

class RunReport {
public:
    // Notes what the game will no longer hold at the end (the high-score
    // table is freed when the board scene is left).
    void Capture();
    // False with error set when the file cannot be written.
    bool Write(const std::string& path, int exitStatus, std::string* error) const;

private:
    int32_t best_ = 0;
};
