// The check of a BMP's headers before its pixels are read: pictures beyond
// the size limit or beyond what their file holds are refused unread.
#include "platform/bmp_header.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "platform/qv.h"
#include "temp_dir.h"

namespace {

// Writes little-endian fields, each an offset, a value and its size in bytes.
std::vector<uint8_t> Put(std::vector<uint8_t> b, std::initializer_list<std::tuple<size_t, uint32_t, int>> fields) {
    for (auto [at, value, bytes] : fields)
        for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return b;
}

// The 54 bytes of a BMP's file and info headers.
std::vector<uint8_t> Head(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0) {
    std::vector<uint8_t> b(54, 0);
    b[0] = 'B', b[1] = 'M';
    return Put(b, {{10, 54, 4}, {14, 40, 4}, {18, uint32_t(width), 4}, {22, uint32_t(height), 4}, {26, 1, 2},
                   {28, bits, 2}, {30, compression, 4}});
}

struct Case { const char* what; std::vector<uint8_t> head; uint64_t fileBytes; bool fits; };

TEST(BmpHeader, PicturesBeyondTheLimitOrTheirFileAreRefused) {
    std::vector<uint8_t> core(26, 0);
    core[0] = 'B', core[1] = 'M';
    core = Put(core, {{14, 12, 4}, {18, 5, 2}, {20, 2, 2}, {24, 24, 2}});  // OS/2: 5 x 2 x 24
    std::vector<uint8_t> cut = Head(4, 3, 24);
    cut.resize(30);
    const std::vector<uint8_t> notBmp = {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

    const Case cases[] = {
        {"4 x 3 x 24, rows padded to 12 bytes", Head(4, 3, 24), 54 + 36, true},
        {"the same one byte short", Head(4, 3, 24), 54 + 35, false},
        {"top-down", Head(4, -3, 24), 54 + 36, true},
        {"the largest side", Head(16384, 1, 8), 54 + 16384, true},
        {"one past the largest side", Head(16385, 1, 8), 54 + 16388, false},
        {"32767 x 32767 x 32 in 54 bytes", Head(32767, 32767, 32), 54, false},
        {"a height of -2^31", Head(4, INT32_MIN, 24), 1u << 30, false},
        {"no width", Head(0, 3, 24), 1000, false},
        {"no bits", Head(4, 3, 0), 1000, false},
        {"64 bits", Head(4, 3, 64), 1000, false},
        {"run-length, plausible", Head(100, 100, 8, 1), 54 + 100, true},
        {"run-length, 10000 x 10000 in 100 bytes", Head(10000, 10000, 8, 1), 54 + 100, false},
        {"JPEG inside", Head(4, 3, 24, 4), 1000, false},
        {"pixels past the end of the file", Put(Head(4, 4, 8), {{10, 100000, 4}}), 1000, false},
        {"an info header of 2 GB", Put(Head(4, 4, 8), {{14, 0x7FFFFFFF, 4}}), 1000, false},
        {"the OS/2 header", core, 26 + 2 * 16, true},
        {"not a BMP", notBmp, 1000, false},
        {"cut inside the header", cut, 30, false},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_EQ(plat::BmpHeaderFits(c.head.data(), c.head.size(), c.fileBytes, &why), c.fits) << c.what;
        EXPECT_EQ(why.empty(), c.fits) << c.what << ": " << why;
    }
}

TEST(BmpHeader, LoadingRefusesAHugeClaimAndWhatIsNoFile) {
    TempDir dir;
    const std::vector<uint8_t> head = Head(32767, 32767, 32);
    dir.Write("splash.bmp", std::string(head.begin(), head.end()));
    EXPECT_EQ(QVLoadBitmap("splash.bmp"), nullptr);

    std::vector<uint8_t> small = Head(2, 2, 24);
    small.resize(54 + 16, 0x40);
    dir.Write("small.bmp", std::string(small.begin(), small.end()));
    plat::Surface* loaded = QVLoadBitmap("small.bmp");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Width(), 2);
    loaded->Release();

    // A pipe named as a picture is not waited on.
    ASSERT_EQ(mkfifo("pipe.bmp", 0600), 0);
    for (const char* name : {"pipe.bmp", "missing.bmp"}) EXPECT_EQ(QVLoadBitmap(name), nullptr) << name;
}

}  // namespace
