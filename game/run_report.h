#pragma once
// The end-of-run report of a scripted run: key=value lines with the game's
// state, score, round, turns, best score, map, treasure left, the frames
// presented, the frame clock and the exit status.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/status.h"

class RunReport {
public:
    // Notes what the game will no longer hold at the end (the high-score
    // table is freed when the board scene is left).
    void Capture();
    // Failed when the file cannot be written.
    Status Write(const std::string& path, int exitStatus) const;

private:
    int32_t best_ = 0;
};

// Writes a report's text whole or not at all (platform/output_files.h).
Status WriteReportFile(const std::string& path, const char* text, std::size_t size);
