// Whole games through the program itself, headless: a kept recording replayed
// to its known end, replays that repeat byte for byte, a recorded autoplay
// run that replays to the same end, a replay without a close that ends by
// itself, malformed recordings refused, and games under memory limits.
#include <gtest/gtest.h>

#include "game_folder.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;

class WholeGameTest : public ::testing::Test {
protected:
    void SetUp() override { LinkGameFolder(dir.Path(), {}); }

    ProgramRun Program(const std::string& arguments, const std::string& before = "") {
        return RunProgram(dir.Path(), arguments, before);
    }
    std::string Text(const std::string& name) const { return ReadText(dir.Path() / name); }
    std::map<std::string, std::string> Report(const std::string& name) const { return ReadReport(dir.Path() / name); }
    void Write(const std::string& name, const std::string& content) const { dir.Write(name, content); }
    void ForgetHighScores() const { fs::remove(dir.Path() / "hiscore.dat"); }

    // A copy of the program installed as a Debian package lays it out, below
    // the test's folder: prefix/games/reefhoard and its game folder
    // prefix/share/games/reefhoard without the files named. Returns the game folder.
    fs::path Install(const std::vector<std::string>& omitted) const {
        const fs::path prefix = dir.Path() / "prefix";
        fs::create_directories(prefix / "games");
        fs::copy_file(REEF_PROGRAM, prefix / "games/reefhoard");
        LinkGameFolder(prefix / "share/games/reefhoard", omitted);
        return prefix / "share/games/reefhoard";
    }
    // Runs the installed copy headless, started in `start`, without --data.
    ProgramRun InstalledProgram(const fs::path& start, const std::string& arguments) const {
        return RunProgram(start, arguments, "", (dir.Path() / "prefix/games/reefhoard").string());
    }

    TempDir dir;
};

const std::string kKeptRecording = std::string(REEF_TEST_DATA) + "/autoplay-seed3.txt";

TEST_F(WholeGameTest, KeptRecordingReplaysToItsKnownEnd) {
    ASSERT_EQ(Program("--seed 3 --replay '" + kKeptRecording + "' --report report.txt").status, 0);
    const std::map<std::string, std::string> expected = {
        {"state", "0"},     {"score", "8050"},          {"round", "2"},        {"turns", "0"},
        {"best", "8050"},   {"map", "1"},               {"treasure_left", "25"}, {"frames", "1851"},
        {"clock_ms", "19370"}, {"exit", "0"},
    };
    EXPECT_EQ(Report("report.txt"), expected);
    EXPECT_TRUE(fs::exists(dir.Path() / "hiscore.dat"));
}

TEST_F(WholeGameTest, AReplayRepeatsByteForByte) {
    const std::string replay = "--seed 3 --replay '" + kKeptRecording + "' --frames 1200 ";
    ASSERT_EQ(Program(replay + "--report first.txt --screenshot first.bmp").status, 0);
    ForgetHighScores();
    ASSERT_EQ(Program(replay + "--report second.txt --screenshot second.bmp").status, 0);
    EXPECT_EQ(Text("first.txt"), Text("second.txt"));
    const std::string picture = Text("first.bmp");
    EXPECT_GT(picture.size(), 800u * 600u * 2u);
    EXPECT_TRUE(picture == Text("second.bmp"));
}

TEST_F(WholeGameTest, RecordedAutoplayReplaysToTheSameEnd) {
    ASSERT_EQ(Program("--seed 12 --autoplay=2 --record games.txt --report played.txt").status, 0);
    ForgetHighScores();
    ASSERT_EQ(Program("--seed 12 --replay games.txt --report replayed.txt").status, 0);
    EXPECT_EQ(Text("played.txt"), Text("replayed.txt"));
    // One game tops its turns up and wins; both games reach an ending.
    EXPECT_EQ(Report("played.txt").at("state"), "0");
    EXPECT_NE(Report("played.txt").at("best"), "0");
}

TEST_F(WholeGameTest, AReplayWithoutCloseEndsOnceTheGameWaits) {
    // --frames only stops a replay that would otherwise never end.
    Write("open.txt", "# no close\n200 move 400 300\n");
    ASSERT_EQ(Program("--seed 3 --replay open.txt --frames 5000 --report report.txt").status, 0);
    const int clock = std::stoi(Report("report.txt").at("clock_ms"));
    EXPECT_TRUE(clock >= 10200 && clock < 11000) << clock;
    EXPECT_EQ(Report("report.txt").at("exit"), "0");
}

TEST_F(WholeGameTest, MalformedRecordingsAreRefusedWithTheirLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"10 move 1 1\n5 move 2 2\n", ":2: time 5 is earlier"},
        {"# a comment\n\n10 jump 1 1\n", ":3: unknown event \"jump\""},
        {"10 press left 800 10\n", ":1: position 800 10"},
        {"10 move 5\n", ":1: \"move\" wants the form"},
        {"10 press middle 1 1\n", ":1: button \"middle\""},
        {"10 key Insert\n", ":1: key \"Insert\""},
        {"10 move 1 1\n" + std::string(1 << 20, '7') + "\n", ":2: line longer than 200"},
        {std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10) + "\n", ":1: not a line of text"},
        {"2147483648 close\n", ":1: time \"2147483648\""},
        {std::string(2000000, '\n') + "10 close\n", ":2000001: more than two million lines"},
    };
    for (const auto& [content, message] : cases) {
        Write("bad.txt", content);
        // A recording wrongly taken plays for 100 frames at most.
        const ProgramRun run = Program("--replay bad.txt --frames 100 --report report.txt");
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_NE(run.errors.find("bad.txt" + message), std::string::npos) << run.errors;
        EXPECT_FALSE(fs::exists(dir.Path() / "report.txt"));
    }
}

// Under an address-space limit the program either plays the game it plays
// without one or ends with status 1, saying why: running out of memory never
// aborts it, nor turns a file it could not read into a different game.
TEST_F(WholeGameTest, UnderAMemoryLimitItPlaysTheSameGameOrEndsSayingWhy) {
#ifdef REEF_SANITIZED
    GTEST_SKIP() << "the sanitizers' own reservations outgrow any limit here";
#endif
    // Sound that could not start (its thread, the music) skips the music's
    // fade-in, which start-up waits for on the frame clock: the game is the
    // same, its clock is not.
    auto outcome = [&] {
        std::map<std::string, std::string> report = Report("report.txt");
        report.erase("frames");
        report.erase("clock_ms");
        return report;
    };
    const std::string run = "--seed 5 --autoplay --report report.txt";
    ASSERT_EQ(Program(run).status, 0);
    const auto unlimited = outcome();
    for (int kilobytes = 22 * 1024; kilobytes <= 50 * 1024; kilobytes += 1536) {
        ForgetHighScores();
        fs::remove(dir.Path() / "report.txt");
        const ProgramRun limited = Program(run, "ulimit -v " + std::to_string(kilobytes) + " && ");
        // Too little for the dynamic loader to map the libraries: the
        // program never ran.
        if (limited.status == 127 && limited.errors.find("shared libraries") != std::string::npos) continue;
        if (limited.status == 1) {
            EXPECT_EQ(limited.errors.rfind("Error: ", 0), 0u) << kilobytes << " KB: " << limited.errors;
        } else {
            ASSERT_EQ(limited.status, 0) << kilobytes << " KB: " << limited.errors;
            EXPECT_EQ(outcome(), unlimited) << kilobytes << " KB";
        }
    }
}

// Installed, the program lies in games/ and its files in share/games/reefhoard;
// started from an unrelated folder it works in its own, while file names given
// on its command line still mean what they meant where it was started.
TEST_F(WholeGameTest, StartedElsewhereItFindsItsInstalledFolder) {
    const fs::path installed = Install({});
    fs::create_directories(dir.Path() / "elsewhere");
    const std::string program = "cd '" + (dir.Path() / "elsewhere").string() + "' && ../prefix/games/reefhoard ";

    const std::string replay = "--headless --seed 3 --replay '" + kKeptRecording + "' --report r.txt";
    ASSERT_EQ(std::system((program + replay + " 2>err.txt").c_str()), 0) << Text("elsewhere/err.txt");
    EXPECT_EQ(Report("elsewhere/r.txt").at("score"), "8050");
    EXPECT_TRUE(fs::exists(installed / "hiscore.dat"));

    EXPECT_NE(std::system((program + "--data nowhere 2>err.txt").c_str()), 0);
    EXPECT_EQ(Text("elsewhere/err.txt"), "reefhoard: --data nowhere: no such folder\n");
    ASSERT_EQ(std::system((program + "--version >out.txt").c_str()), 0);
    EXPECT_EQ(Text("elsewhere/out.txt").rfind("reefhoard 0.", 0), 0u) << Text("elsewhere/out.txt");
}

// A working folder holding a game that someone else could have written is
// passed by: its maps, pictures and settings may have been planted there.
TEST_F(WholeGameTest, AWorkingFolderOthersCanWriteIsPassedBy) {
    const fs::path installed = Install({});
    for (const fs::perms shared : {fs::perms::group_write, fs::perms::others_write}) {
        fs::permissions(dir.Path(), fs::perms::owner_all | shared);
        const ProgramRun run = InstalledProgram(dir.Path(), "--seed 3 --autoplay=1");
        ASSERT_EQ(run.status, 0) << run.errors;
        EXPECT_TRUE(fs::exists(installed / "hiscore.dat") && !fs::exists(dir.Path() / "hiscore.dat"));
        fs::remove(installed / "hiscore.dat");
    }
}

// The island maps are no sign of a game folder: without them the working
// folder and the installed folder are still found, and the game plays on open sea.
TEST_F(WholeGameTest, WithoutIslandMapsTheGameFolderIsStillFound) {
    const fs::path installed = Install({"islands.dat"});
    fs::remove(dir.Path() / "islands.dat");
    fs::create_directories(dir.Path() / "elsewhere");
    for (const fs::path& start : {dir.Path(), dir.Path() / "elsewhere"}) {
        const ProgramRun run =
            InstalledProgram(start, "--seed 3 --autoplay=1 --report " + (dir.Path() / "r.txt").string());
        ASSERT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(Report("r.txt").at("exit"), "0");
        fs::remove(dir.Path() / "r.txt");
    }
    EXPECT_TRUE(fs::exists(dir.Path() / "hiscore.dat") && fs::exists(installed / "hiscore.dat"));
}

}  // namespace
