// HighScoreTable: where Insert puts a score, name fields moved and cut, the
// file layout, files Load refuses, saves written in pieces or killed,
// and scores offered by several games at once to the table they share.
#include "game/high_score_table.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "game/high_score_write.h"
#include "platform/file_replacement.h"
#include "score_table.h"
#include "temp_dir.h"

namespace {

// The names of the files in a folder, sorted.
std::vector<std::string> Listing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::pair<std::string, int32_t>> Contents(const HighScoreTable& table) {
    std::vector<std::pair<std::string, int32_t>> rows;
    for (int32_t i = 0; i < table.count; ++i) {
        rows.emplace_back(std::string(table.entries[i].name, strnlen(table.entries[i].name, 256)),
                          table.entries[i].score);
    }
    return rows;
}

using Rows = std::vector<std::pair<std::string, int32_t>>;

class HighScoreTableTest : public ::testing::Test {
protected:
    void TearDown() override { g_HighScoreWrite = ::write; }
    // A full table of 20 with names "n0".."n19" (by default) and scores from
    // base down by 10.
    static void Fill(HighScoreTable& table, const std::string& prefix = "n", int32_t base = 1000) {
        table.Create(HighScoreTable::kGameEntries);
        for (int i = 0; i < HighScoreTable::kGameEntries; ++i) {
            table.Insert((prefix + std::to_string(i)).c_str(), base - 10 * i);
        }
    }
    TempDir dir;
};

TEST_F(HighScoreTableTest, ScoresGoBelowEqualOnesAndMustBeatTheLastWhenFull) {
    HighScoreTable table;
    EXPECT_EQ(table.TopScore(), 0);
    EXPECT_EQ(table.Insert("x", 5), 0);  // no entries at all

    table.Create(3);
    EXPECT_EQ(table.Insert("zero", 0), 0);
    EXPECT_EQ(table.Insert("minus", -5), 0);
    EXPECT_EQ(table.Insert("a", 10), 1);
    EXPECT_EQ(table.Insert("b", 10), 1);
    EXPECT_EQ(table.Insert("c", 20), 1);
    EXPECT_EQ(Contents(table), (Rows{{"c", 20}, {"a", 10}, {"b", 10}}));
    EXPECT_EQ(table.Insert("d", 10), 0);  // ties the last place: stays out
    EXPECT_EQ(table.Insert("e", 11), 1);  // b falls out
    EXPECT_EQ(Contents(table), (Rows{{"c", 20}, {"e", 11}, {"a", 10}}));
    EXPECT_EQ(table.TopScore(), 20);

    // Scores compare signed: a negative entry (from a file) is beaten by 1.
    table.entries[2].score = -1;
    EXPECT_EQ(table.Insert("f", 1), 1);
    EXPECT_EQ(Contents(table).back(), (std::pair<std::string, int32_t>{"f", 1}));

    // Create starts over with zeroed entries.
    table.Create(2);
    EXPECT_EQ(Contents(table), (Rows{{"", 0}, {"", 0}}));
}

TEST_F(HighScoreTableTest, NameFieldsMoveWholeAndNewNamesAreCutAndZeroFilled) {
    HighScoreTable table;
    table.Create(3);
    // A foreign name filling all 256 bytes, no terminator.
    std::memset(table.entries[0].name, 'z', 256);
    table.entries[0].score = 50;
    std::memset(table.entries[1].name, 'y', 256);
    table.entries[1].score = 40;

    const std::string longName(300, 'L');
    ASSERT_EQ(table.Insert(longName.c_str(), 60), 1);
    EXPECT_EQ(std::string(table.entries[0].name), std::string(255, 'L'));
    EXPECT_EQ(std::string(table.entries[1].name, 256), std::string(256, 'z'));
    EXPECT_EQ(std::string(table.entries[2].name, 256), std::string(256, 'y'));  // the empty entry fell out

    // A short name over a long one leaves no old bytes behind it.
    ASSERT_EQ(table.Insert("ab", 70), 1);
    ASSERT_EQ(table.Insert("c", 65), 1);
    EXPECT_EQ(std::string(table.entries[1].name, 256), "c" + std::string(255, '\0'));
    EXPECT_EQ(table.Insert(nullptr, 80), 1);
    EXPECT_EQ(table.entries[0].name[0], '\0');
}

TEST_F(HighScoreTableTest, SaveWritesLittleEndianCountNamesAndScoresThatLoadReadsBack) {
    HighScoreTable table;
    Fill(table);
    table.entries[19].score = -2;
    table.entries[18].score = 0x01020304;
    ASSERT_EQ(table.Save("hiscore.dat"), 1);

    const std::string bytes = ReadText("hiscore.dat");
    ASSERT_EQ(bytes.size(), 5204u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x14\0\0\0", 4));
    EXPECT_EQ(bytes.substr(4, 4), std::string("n0\0\0", 4));
    EXPECT_EQ(bytes.substr(4 + 256, 4), std::string("\xE8\x03\0\0", 4));  // 1000
    EXPECT_EQ(bytes.substr(4 + 18 * 260 + 256, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(bytes.substr(5200, 4), "\xFE\xFF\xFF\xFF");
    EXPECT_EQ(Listing("."), std::vector<std::string>{"hiscore.dat"});  // no temporary left

    ScoreTable loaded;
    // File names are matched without regard to case.
    ASSERT_EQ(loaded.Load("HISCORE.DAT"), 1);
    EXPECT_EQ(Contents(loaded), Contents(table));
}

TEST_F(HighScoreTableTest, LoadRefusesMissingWrongSizedAndShortFilesWithoutChangingTheTable) {
    HighScoreTable saved;
    saved.Create(3);
    saved.Insert("best", 9);
    ASSERT_EQ(saved.Save("three.dat"), 1);
    const std::string bytes = ReadText("three.dat");

    HighScoreTable table;
    table.Create(3);
    table.Insert("mine", 1);
    const Rows before = Contents(table);
    EXPECT_EQ(table.Load("missing.dat"), 0);
    dir.Write("short.dat", bytes.substr(0, bytes.size() - 1));
    EXPECT_EQ(table.Load("short.dat"), 0);
    dir.Write("stub.dat", bytes.substr(0, 3));
    EXPECT_EQ(table.Load("stub.dat"), 0);
    EXPECT_EQ(Contents(table), before);

    HighScoreTable four;
    four.Create(4);
    EXPECT_TRUE(four.Load("three.dat") == 0 && four.TopScore() == 0);

    // Bytes after the table are not looked at.
    dir.Write("longer.dat", bytes + "extra");
    EXPECT_EQ(table.Load("longer.dat"), 1);
    EXPECT_EQ(Contents(table), Contents(saved));
}

// Writes at most 7 bytes a call, interrupted every other call.
ssize_t ChoppyWrite(int fd, const void* data, size_t size) {
    static int calls = 0;
    if (++calls % 2 == 0) {
        errno = EINTR;
        return -1;
    }
    return ::write(fd, data, size < 7 ? size : 7);
}

TEST_F(HighScoreTableTest, SaveGoesOnAfterShortWritesAndNeedsItsFolder) {
    HighScoreTable table;
    Fill(table);
    std::filesystem::create_directory("Data");
    g_HighScoreWrite = ChoppyWrite;
    ASSERT_EQ(table.Save("data\\HiScore.dat"), 1);
    EXPECT_EQ(ReadText("Data/HiScore.dat").size(), 5204u);

    EXPECT_EQ(Listing("Data"), std::vector<std::string>{"HiScore.dat"});
    g_HighScoreWrite = ::write;
    EXPECT_EQ(table.Save("nowhere\\hiscore.dat"), 0);  // no such folder
    EXPECT_FALSE(std::filesystem::exists("nowhere"));
}

// Games ending at the same moment in one folder each read the table as it
// was at their start; every score offered must still be in the file after.
TEST_F(HighScoreTableTest, ScoresOfferedByGamesEndingTogetherAreAllKept) {
    constexpr int kGames = 4, kRounds = 5;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    for (int game = 0; game < kGames; ++game) {
        if (fork() == 0) {
            close(start[1]);
            for (int round = 0; round < kRounds; ++round) {
                ScoreTable table;
                table.Load("hiscore.dat");
                char go;
                if (read(start[0], &go, 1) != 1) _exit(2);  // all games end together
                const std::string name = "g" + std::to_string(game) + "r" + std::to_string(round);
                if (table.Offer("hiscore.dat", name.c_str(), 100 + 10 * round + game) != 1) _exit(1);
            }
            _exit(0);
        }
    }
    close(start[0]);
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_EQ(write(start[1], std::string(kGames, 'g').data(), kGames), kGames);
        usleep(20000);
    }
    close(start[1]);
    for (int game = 0; game < kGames; ++game) {
        int status = 0;
        wait(&status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ScoreTable table;
    ASSERT_EQ(table.Load("hiscore.dat"), 1);
    const Rows rows = Contents(table);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row.second > 0; }),
              kGames * kRounds);
}

// An offer goes by the table as read again under the lock: a score beaten by
// what another game saved meanwhile does not enter. A file that does not read
// back whole is kept aside before it is replaced.
TEST_F(HighScoreTableTest, AnOfferGoesByTheFileAsItIsNowAndKeepsADamagedOne) {
    HighScoreTable table;
    ScoreTable mine;
    Fill(table);
    ASSERT_EQ(table.Save("hiscore.dat"), 1);
    const std::string whole = ReadText("hiscore.dat");
    EXPECT_EQ(mine.Offer("hiscore.dat", "me", 500), 0);
    EXPECT_TRUE(ReadText("hiscore.dat") == whole && mine.TopScore() == 1000);

    const std::string damaged[] = {whole.substr(0, whole.size() - 1), "\x13" + whole.substr(1)};
    for (const std::string& bytes : damaged) {
        dir.Write("hiscore.dat", bytes);
        testing::internal::CaptureStderr();
        EXPECT_EQ(table.Offer("hiscore.dat", "Ann", 50), 1);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(
                      "hiscore.dat was not a whole high-score table; it is kept as hiscore.dat.bad"),
                  std::string::npos);
        EXPECT_EQ(ReadText("hiscore.dat.bad"), bytes);  // one copy: the latest
        EXPECT_EQ(Contents(table).front(), (std::pair<std::string, int32_t>{"Ann", 50}));
    }
    EXPECT_EQ(ReadText("hiscore.dat").size(), 5204u);
}

TEST_F(HighScoreTableTest, AFailedSaveIsSaidAndTheScoreStillEnters) {
    ScoreTable table;
    std::filesystem::create_directory("hiscore.dat");
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.Offer("hiscore.dat", "Ann", 50), 1);  // entered, though not saved
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "reefhoard: hiscore.dat could not be saved (Is a directory); it keeps the table it had"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory("hiscore.dat"));
}

// Writes in small pieces, so kills land inside the writing as well.
ssize_t PieceWrite(int fd, const void* data, size_t size) { return ::write(fd, data, std::min<size_t>(size, 64)); }

[[noreturn]] void SaveForever(HighScoreTable& oldTable, HighScoreTable& newTable) {
    g_HighScoreWrite = PieceWrite;
    for (unsigned i = 0;; ++i) {
        if ((i % 2 == 0 ? newTable : oldTable).Save("hiscore.dat") == 0) _exit(1);
    }
}

// A save killed at any moment leaves "hiscore.dat" holding either the table
// it had before or the one being saved, never a mix and never nothing: a
// child process saves two tables in turn and is killed with SIGKILL at
// moments spread over whole saves.
using HighScoreCrash = HighScoreTableTest;

TEST_F(HighScoreCrash, SaveKilledAtAnyMomentLeavesTheOldOrTheNewTable) {
    HighScoreTable oldTable, newTable;
    Fill(oldTable, "old player ", 500);
    Fill(newTable, "new player ", 900);
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
        // The moments count from when the child runs: starting one can take
        // longer than the whole spread (under the thread sanitizer, forking
        // copies its shadow state).
        int running[2];
        ASSERT_EQ(pipe(running), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const char ready = 1;
            if (::write(running[1], &ready, 1) != 1) _exit(2);
            SaveForever(oldTable, newTable);
        }
        close(running[1]);
        char ready = 0;
        ASSERT_EQ(::read(running[0], &ready, 1), 1);
        close(running[0]);
        // A fixed scatter of moments over 0 to spreadUs, different each try.
        const long delayUs = (attempt * 7919L) % (spreadUs + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself, status " << status;

        ScoreTable found;
        ASSERT_EQ(found.Load("hiscore.dat"), 1) << "after a kill at " << delayUs << " us";
        const bool isOld = Contents(found) == Contents(oldTable), isNew = Contents(found) == Contents(newTable);
        ASSERT_TRUE(isOld || isNew) << "after a kill at " << delayUs << " us";
        sawOld += isOld;
        sawNew += isNew;
    }
    // Kills came both before and after saves were done, or the test proved little.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
