// Files written for the user: a device is written to but never replaced or
// removed, and a page is written as a BMP. Full disks are tried on the program itself.
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

bool IsCharacterDevice(const char* path) {
    struct stat info{};
    return stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

class OutputFiles : public ::testing::Test {
protected:
    void SetUp() override { plat::ForgetOutputFailures(); }
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
    ASSERT_TRUE(plat::WriteWholeFile("page.bmp", bmp.data(), bmp.size(), &why));  // replaces it whole
    OwnedSurface loaded{QVLoadBitmap("page.bmp")};
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(PixelsAt(loaded.get(), {{0, 0}, {1, 0}, {4, 2}}),
              (std::vector<uint16_t>{kBlue565, kRed565, kGreen565}));
}

}  // namespace
