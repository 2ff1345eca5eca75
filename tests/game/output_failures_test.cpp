// Files asked for on the command line that cannot be written whole: the
// program says so, leaves no part of the file behind (a file that was there
// before stays as it was) and ends with status 1. A full disk is stood in for
// by /dev/full and by a limit on the size of the files the program may write.
#include <gtest/gtest.h>

#include "game_folder.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;

class OutputFailures : public ::testing::Test {
protected:
    void SetUp() override { LinkGameFolder(dir.Path(), {"TovaliSplash.bmp", "TovaliCredit.bmp"}); }

    // Runs the program headless in the game folder, no file growing past
    // limitKb kilobytes (0: no limit); its exit status.
    int Program(const std::string& arguments, int limitKb = 0) {
        // A write past the limit then fails as on a full disk instead of
        // ending the program by a signal.
        const std::string limit = limitKb > 0 ? "trap '' XFSZ; ulimit -f " + std::to_string(limitKb * 2) + "; " : "";
        return RunProgram(dir.Path(), "--seed 7 " + arguments, limit).status;
    }
    std::string Text(const std::string& name) const { return ReadText(dir.Path() / name); }
    bool Exists(const std::string& name) const { return fs::exists(dir.Path() / name); }
    // The last run's error output holds the words.
    void ExpectSaid(const std::string& words) const {
        EXPECT_NE(Text("err.txt").find(words), std::string::npos) << Text("err.txt");
    }

    TempDir dir;
};

TEST_F(OutputFailures, SoundCaptureOnAFullDisk) {
    EXPECT_TRUE(Program("--frames 600 --audio-out game.wav", 100) == 1 && !Exists("game.wav"));
    ExpectSaid("game.wav could not be written: File too large");

    EXPECT_EQ(Program("--frames 60 --audio-out /dev/full"), 1);
    ExpectSaid("/dev/full could not be written: No space left on device");

    // With room, the capture is whole and the run succeeds.
    EXPECT_EQ(Program("--frames 60 --audio-out game.wav"), 0);
    EXPECT_GT(fs::file_size(dir.Path() / "game.wav"), 44u);
}

TEST_F(OutputFailures, ScreenshotOnAFullDiskLeavesTheOldPicture) {
    dir.Write("shot.bmp", "an older picture");
    EXPECT_EQ(Program("--frames 30 --screenshot shot.bmp", 200), 1);
    EXPECT_EQ(Text("shot.bmp"), "an older picture");
    for (const auto& entry : fs::directory_iterator(dir.Path()))  // no temporary left
        EXPECT_EQ(entry.path().filename().string().rfind("shot.bmp.tmp", 0), std::string::npos);
    ExpectSaid("shot.bmp could not be written: File too large");

    EXPECT_EQ(Program("--frames 30 --screenshot /dev/full"), 1);
    EXPECT_EQ(Program("--frames 30 --screenshot shot.bmp"), 0);
    EXPECT_EQ(Text("shot.bmp").substr(0, 2), "BM");
}

TEST_F(OutputFailures, RecordingAndReportOnAFullDisk) {
    EXPECT_TRUE(Program("--autoplay=1 --record game.txt", 2) == 1 && !Exists("game.txt"));
    ExpectSaid("game.txt could not be written: File too large");

    EXPECT_EQ(Program("--frames 30 --report /dev/full"), 1);
    ExpectSaid("/dev/full: could not be written completely");
}

}  // namespace
