#pragma once
// The table of the best final scores, kept in "hiscore.dat": a count, then per
// entry a 256-byte name field and a signed 32-bit score, little-endian, best
// first. A name is the current player's whole profile record joined by ":",
// so no name is ever typed in.
#include <cstdint>

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
    // Replaces the file whole (temporary file, flush, rename): a save that
    // fails or is cut short leaves the old file as it was. 1 on success.
    int Save(const char* fileName);

    HighScoreEntry* entries = nullptr;
    int32_t count = 0;
};
