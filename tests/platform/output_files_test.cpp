// Files written for the user: a device is written to but never replaced or
// removed, a link planted where a temporary file may go is never followed,
// and a page is written as a BMP. Full disks are tried on the program itself.
#include "platform/output_files.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/file_replacement.h"
#include "platform/headless/wav_writer.h"
#include "platform/profile.h"
#include "platform/failure.h"
#include "platform/qv.h"
#include "surface_test_util.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

bool IsCharacterDevice(const char* path) {
    struct stat info{};
    return stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

class OutputFiles : public ::testing::Test {
protected:
    void SetUp() override { plat::ForgetOutputFailures(); }
    void TearDown() override { plat::g_TemporarySuffix = kRandomSuffix; }
    const plat::TemporarySuffixFunction kRandomSuffix = plat::g_TemporarySuffix;
    TempDir dir;
};

TEST_F(OutputFiles, ADeviceIsWrittenToAndNeverReplacedOrRemoved) {
    const std::vector<uint8_t> bytes(8192, 1);
    std::string why;
    EXPECT_FALSE(plat::WriteWholeFile("/dev/full", bytes.data(), bytes.size(), &why));
    EXPECT_EQ(why, "No space left on device");
    EXPECT_TRUE(plat::WriteWholeFile("/dev/null", bytes.data(), bytes.size(), &why));
    plat::WavWriter writer;
    EXPECT_FALSE(writer.Open("/dev/full", 22050, 2));
    EXPECT_TRUE(plat::OutputFailed());
    plat::RemovePartialFile("/dev/full");
    EXPECT_TRUE(IsCharacterDevice("/dev/full") && IsCharacterDevice("/dev/null"));
}

// Every other temporary name is "guess", which the test has taken.
std::string GuessedEveryOtherTime() {
    static int calls = 0;
    return ++calls % 2 == 1 ? "guess" : "fresh" + std::to_string(calls);
}

TEST_F(OutputFiles, ALinkPlantedAtATemporaryNameIsNeverFollowed) {
    dir.Write("victim", "the player's own file");
    const char* targets[] = {"shot.bmp", "setup.ini", "game.wav"};
    for (const std::string target : targets) {
        ASSERT_EQ(symlink("victim", (target + ".tmp").c_str()), 0);  // the name once used
        ASSERT_EQ(symlink("victim", (target + ".tmp.guess").c_str()), 0);
    }
    plat::g_TemporarySuffix = GuessedEveryOtherTime;
    std::string why;
    EXPECT_TRUE(plat::WriteWholeFile("shot.bmp", "BM", 2, &why)) << why;
    EXPECT_TRUE(plat::WriteProfileString("setup", "x", "1", "setup.ini"));
    plat::WavWriter writer;
    EXPECT_TRUE(writer.Open("game.wav", 22050, 2));
    writer.Close();
    plat::g_TemporarySuffix = [] { return std::string("guess"); };
    EXPECT_FALSE(plat::ReplaceFile("shot.bmp", "BM", 2));  // no name left to draw: refused
    EXPECT_EQ(plat::LastFailure(), "File exists");

    EXPECT_EQ(ReadText("victim") + "|" + ReadText("shot.bmp") + "|" + ReadText("setup.ini"),
              "the player's own file|BM|[setup]\r\nx=1\r\n");
    EXPECT_EQ(fs::file_size("game.wav"), 44u);
    for (const std::string target : targets) EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
}

TEST_F(OutputFiles, APictureIsWrittenAsABmpThatLoadsBackTheSame) {
    OwnedSurface page{FilledSurface(5, 3, kRed565)};
    SetPixelAt(page.get(), 0, 0, kBlue565);
    SetPixelAt(page.get(), 4, 2, kGreen565);
    const std::vector<uint8_t> bmp = plat::EncodeBmp(*page);
    ASSERT_EQ(bmp.size(), 54u + 3 * 16);  // rows of 15 bytes padded to 16
    std::string why;
    ASSERT_TRUE(plat::WriteWholeFile("page.bmp", bmp.data(), bmp.size(), &why));
    ASSERT_TRUE(plat::WriteWholeFile("page.bmp", bmp.data(), bmp.size(), &why));  // replaces it whole
    OwnedSurface loaded{QVLoadBitmap("page.bmp")};
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(PixelsAt(loaded.get(), {{0, 0}, {1, 0}, {4, 2}}),
              (std::vector<uint16_t>{kBlue565, kRed565, kGreen565}));
}

}  // namespace
