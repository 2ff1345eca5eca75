#include "tools/bmp_file.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/little_endian.h"

namespace {
constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kMaskBytes = 12;  // the red, green and blue bit fields after the info header
constexpr int kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes + kMaskBytes;
constexpr uint32_t kBitFields = 3;

int RowBytes(int width) { return (width * 2 + 3) & ~3; }

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}
uint16_t Get16(const std::vector<uint8_t>& in, size_t at) { return in[at] | (in[at + 1] << 8); }

// The game shows every picture at 5-6-5 bits, keeping each channel's high
// bits; a file that keeps only those shows the same and packs far smaller.
uint16_t Pack565(Rgb c) { return static_cast<uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }
Rgb Unpack565(uint32_t v) {
    const uint32_t r = v >> 11, g = (v >> 5) & 0x3F, b = v & 0x1F;
    return Rgb{static_cast<uint8_t>(r << 3 | r >> 2), static_cast<uint8_t>(g << 2 | g >> 4),
               static_cast<uint8_t>(b << 3 | b >> 2)};
}
}  // namespace

bool WriteBmp(const std::string& path, const Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    const uint32_t image_bytes = static_cast<uint32_t>(RowBytes(w)) * h;
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytes + image_bytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kHeaderBytes + image_bytes);
    Put32(out, 0);
    Put32(out, kHeaderBytes);
    Put32(out, kInfoHeaderBytes);
    Put32(out, w);
    Put32(out, h);  // positive height: rows stored bottom-up
    Put16(out, 1);   // planes
    Put16(out, 16);  // bits per pixel
    Put32(out, kBitFields);
    Put32(out, image_bytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0xF800);  // red
    Put32(out, 0x07E0);  // green
    Put32(out, 0x001F);  // blue
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) Put16(out, Pack565(canvas.At(x, y)));
        for (int pad = w * 2; pad < RowBytes(w); ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

std::optional<Canvas> ReadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (in.size() < kHeaderBytes || in[0] != 'B' || in[1] != 'M') return std::nullopt;
    const uint32_t data_at = Get32(in, 10);
    const int w = static_cast<int32_t>(Get32(in, 18));
    const int raw_h = static_cast<int32_t>(Get32(in, 22));
    if (Get16(in, 28) != 16 || Get32(in, 30) != kBitFields || Get32(in, 54) != 0xF800 || Get32(in, 58) != 0x07E0 ||
        Get32(in, 62) != 0x001F || w <= 0 || raw_h == 0) {
        return std::nullopt;
    }
    const int h = std::abs(raw_h);
    if (data_at + static_cast<uint64_t>(RowBytes(w)) * h > in.size()) return std::nullopt;
    Canvas canvas(w, h);
    for (int row = 0; row < h; ++row) {
        const int y = raw_h > 0 ? h - 1 - row : row;
        const size_t at = data_at + static_cast<size_t>(row) * RowBytes(w);
        for (int x = 0; x < w; ++x) {
            const Rgb c = Unpack565(Get16(in, at + x * 2));
            if (c == kTransparent)
                canvas.Clear(x, y);
            else
                canvas.Set(x, y, c);
        }
    }
    return canvas;
}
