// A save killed at any moment leaves "hiscore.dat" holding either the table
// it had before or the one being saved, never a mix and never nothing: a
// child process saves two tables in turn and is killed with SIGKILL at
// moments spread over whole saves.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "game/high_score_table.h"
#include "game/high_score_write.h"
#include "temp_dir.h"

namespace {

constexpr int32_t kEntries = HighScoreTable::kGameEntries;

void FillTable(HighScoreTable& table, const std::string& prefix, int32_t base) {
    table.Create(kEntries);
    for (int32_t i = 0; i < kEntries; ++i) table.Insert((prefix + std::to_string(i)).c_str(), base - i);
}

bool SameTable(const HighScoreTable& a, const HighScoreTable& b) {
    return a.count == b.count &&
           std::memcmp(a.entries, b.entries, sizeof(HighScoreEntry) * static_cast<size_t>(a.count)) == 0;
}

// Writes in small pieces, so kills land inside the writing as well.
ssize_t PieceWrite(int fd, const void* data, size_t size) { return ::write(fd, data, std::min<size_t>(size, 64)); }

[[noreturn]] void SaveForever(HighScoreTable& oldTable, HighScoreTable& newTable) {
    g_HighScoreWrite = PieceWrite;
    for (unsigned i = 0;; ++i) {
        if ((i % 2 == 0 ? newTable : oldTable).Save("hiscore.dat") == 0) _exit(1);
    }
}

TEST(HighScoreCrash, SaveKilledAtAnyMomentLeavesTheOldOrTheNewTable) {
    TempDir dir;
    HighScoreTable oldTable, newTable;
    FillTable(oldTable, "old player ", 500);
    FillTable(newTable, "new player ", 900);
    ASSERT_EQ(oldTable.Save("hiscore.dat"), 1);

    // Kill moments are spread over a few saves, however long the disk takes
    // to sync one (bounded, so the test stays short).
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(oldTable.Save("hiscore.dat"), 1);
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    const long spreadUs = std::clamp<long>(3 * saveTime.count(), 2000, 15000);

    constexpr int kTries = 200;
    int sawOld = 0, sawNew = 0;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever(oldTable, newTable);
        // A fixed scatter of moments over 0 to spreadUs, different each try.
        const long delayUs = (attempt * 7919L) % (spreadUs + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself, status " << status;

        HighScoreTable found;
        found.Create(kEntries);
        ASSERT_EQ(found.Load("hiscore.dat"), 1) << "after a kill at " << delayUs << " us";
        const bool isOld = SameTable(found, oldTable), isNew = SameTable(found, newTable);
        ASSERT_TRUE(isOld || isNew) << "after a kill at " << delayUs << " us";
        sawOld += isOld;
        sawNew += isNew;
    }
    // Kills came both before and after saves were done, or the test proved little.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
