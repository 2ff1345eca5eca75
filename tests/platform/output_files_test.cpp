// Files written for the user: whole or not at all. A full disk is stood in for
// by a limit on the size of files this process may write, and by /dev/full.
#include "platform/output_files.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless/wav_writer.h"
#include "platform/qv.h"
#include "platform/surface.h"
#include "surface_test_util.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// While it lives, no file of this process may grow past bytes: writes beyond
// fail with EFBIG, as they fail with ENOSPC on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousSignal_ = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

std::string Text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool IsCharacterDevice(const char* path) {
    struct stat info{};
    return stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

class OutputFiles : public ::testing::Test {
protected:
    void SetUp() override { plat::ForgetOutputFailures(); }
    TempDir dir;
};

TEST_F(OutputFiles, AWholeFileThatDoesNotFitLeavesWhatWasThere) {
    dir.Write("shot.bmp", "the old picture");
    const std::vector<uint8_t> bytes(64 * 1024, 0x5A);
    std::string why;
    {
        FileSizeLimit limit(16 * 1024);
        EXPECT_FALSE(plat::WriteWholeFile("shot.bmp", bytes.data(), bytes.size(), &why));
    }
    EXPECT_EQ(why, "File too large");
    EXPECT_EQ(Text(dir.Path() / "shot.bmp"), "the old picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

    EXPECT_TRUE(plat::WriteWholeFile("shot.bmp", bytes.data(), bytes.size(), &why));
    EXPECT_EQ(fs::file_size(dir.Path() / "shot.bmp"), bytes.size());
    EXPECT_TRUE(plat::WriteWholeFile("new.bmp", bytes.data(), 3, &why));
    EXPECT_EQ(Text(dir.Path() / "new.bmp"), "ZZZ");
}

TEST_F(OutputFiles, ADeviceIsWrittenToAndNeverReplacedOrRemoved) {
    const std::vector<uint8_t> bytes(8192, 1);
    std::string why;
    EXPECT_FALSE(plat::WriteWholeFile("/dev/full", bytes.data(), bytes.size(), &why));
    EXPECT_EQ(why, "No space left on device");
    EXPECT_TRUE(plat::WriteWholeFile("/dev/null", bytes.data(), bytes.size(), &why));
    plat::RemovePartialFile("/dev/full");
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
    EXPECT_TRUE(IsCharacterDevice("/dev/null"));
}

TEST_F(OutputFiles, APictureIsWrittenAsABmpThatLoadsBackTheSame) {
    OwnedSurface page{FilledSurface(5, 3, kRed565)};
    SetPixelAt(page.get(), 0, 0, kBlue565);
    SetPixelAt(page.get(), 4, 2, kGreen565);
    const std::vector<uint8_t> bmp = plat::EncodeBmp(*page);
    ASSERT_EQ(bmp.size(), 54u + 3 * 16);  // rows of 15 bytes padded to 16
    std::string why;
    ASSERT_TRUE(plat::WriteWholeFile("page.bmp", bmp.data(), bmp.size(), &why));
    OwnedSurface loaded{QVLoadBitmap("page.bmp")};
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(PixelsAt(loaded.get(), {{0, 0}, {1, 0}, {4, 2}}),
              (std::vector<uint16_t>{kBlue565, kRed565, kGreen565}));
}

// Reads the WAV header's data size and the bytes that follow the header.
std::pair<uint32_t, size_t> WavSizes(const fs::path& path) {
    const std::string bytes = Text(path);
    if (bytes.size() < 44) return {0, 0};
    uint32_t stated = 0;
    for (int i = 3; i >= 0; --i) stated = stated << 8 | static_cast<uint8_t>(bytes[40 + i]);
    return {stated, bytes.size() - 44};
}

TEST_F(OutputFiles, ASoundCaptureThatCannotBeWrittenWholeIsRemovedAndCounted) {
    const std::vector<int16_t> block(2205 * 2, 1000);
    plat::WavWriter writer;
    ASSERT_TRUE(writer.Open("game.wav", 22050, 2));
    for (int i = 0; i < 3; ++i) writer.Append(block.data(), static_cast<uint32_t>(block.size()));
    EXPECT_EQ(WavSizes(dir.Path() / "game.wav"), (std::pair<uint32_t, size_t>{3 * 8820, 3 * 8820}));
    EXPECT_FALSE(plat::OutputFailed());
    {
        FileSizeLimit limit(100 * 1024);
        for (int i = 0; i < 20; ++i) writer.Append(block.data(), static_cast<uint32_t>(block.size()));
    }
    EXPECT_TRUE(writer.Failed());
    EXPECT_TRUE(plat::OutputFailed());
    writer.Append(block.data(), static_cast<uint32_t>(block.size()));  // dropped
    EXPECT_FALSE(fs::exists(dir.Path() / "game.wav"));

    EXPECT_FALSE(writer.Open("/dev/full", 22050, 2));
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
    plat::ForgetOutputFailures();
    EXPECT_FALSE(writer.Open("no/such/folder/game.wav", 22050, 2));
    EXPECT_TRUE(plat::OutputFailed());
}

}  // namespace
