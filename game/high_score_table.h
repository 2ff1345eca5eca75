#pragma once
// The table of the best final scores, kept in "hiscore.dat": a count, then per
// entry a 256-byte name field and a signed 32-bit score, little-endian, best
// first. A name is the current player's whole profile record joined by ":",
// so no name is ever typed in.
#include <cstdint>
#include <memory>

#include "base/status.h"

struct HighScoreEntry {
    char name[256];  // NUL-terminated when written by us; a foreign file may fill all 256
    int32_t score;
};
static_assert(sizeof(HighScoreEntry) == 260);

class HighScoreTable {
public:
    static constexpr int32_t kGameEntries = 20;

    HighScoreTable() = default;
    ~HighScoreTable();
    HighScoreTable(const HighScoreTable&) = delete;
    HighScoreTable& operator=(const HighScoreTable&) = delete;

    // Frees any old entries and makes n zeroed ones.
    void Create(int32_t n);
    void Free();
    // Puts the score in below every entry it does not beat; 1 when it entered.
    int Insert(const char* name, int32_t score);
    // The best score, 0 for an empty table.
    int32_t TopScore() const;
    // 1 when the file held a table of exactly this size; otherwise 0 and the
    // table is left as it was.
    int Load(const char* fileName);
    // Replaces the file whole (platform/file_replacement.h): a save that
    // fails or is cut short leaves the old file as it was.
    Status Write(const char* fileName);
    // Write, as 1 on success and 0 on failure.
    int Save(const char* fileName) { return Write(fileName).Ok() ? 1 : 0; }
    // Offers a final score to the table kept in fileName, which other games
    // in the same folder may be changing at the same moment: under a lock on
    // the file, the table is read again (empty when the file is missing or
    // not a whole table), the score put in and, when it entered, the table
    // saved. A file that was there but not a whole table is first kept as
    // fileName.bad. That, and a failed save (the file then keeps its old
    // table), are said on standard error and in the debug log. 1 when the
    // score entered the table as read again.
    int Offer(const char* fileName, const char* name, int32_t score);

    std::unique_ptr<HighScoreEntry[]> entries;  // zeroed when made
    int32_t count = 0;

private:
    enum class FileState { Whole, Missing, Damaged };
    FileState Read(const char* fileName);
};
