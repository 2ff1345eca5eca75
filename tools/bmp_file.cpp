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

int RowBytes(int width) { return (width * 3 + 3) & ~3; }

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}
uint16_t Get16(const std::vector<uint8_t>& in, size_t at) { return in[at] | (in[at + 1] << 8); }
}  // namespace

bool WriteBmp(const std::string& path, const Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    const uint32_t image_bytes = static_cast<uint32_t>(RowBytes(w)) * h;
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderBytes + kInfoHeaderBytes + image_bytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kFileHeaderBytes + kInfoHeaderBytes + image_bytes);
    Put32(out, 0);
    Put32(out, kFileHeaderBytes + kInfoHeaderBytes);
    Put32(out, kInfoHeaderBytes);
    Put32(out, w);
    Put32(out, h);  // positive height: rows stored bottom-up
    Put16(out, 1);   // planes
    Put16(out, 24);  // bits per pixel
    Put32(out, 0);   // no compression
    Put32(out, image_bytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgb c = canvas.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (int pad = w * 3; pad < RowBytes(w); ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

std::optional<Canvas> ReadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (in.size() < kFileHeaderBytes + kInfoHeaderBytes || in[0] != 'B' || in[1] != 'M') return std::nullopt;
    const uint32_t data_at = Get32(in, 10);
    const int w = static_cast<int32_t>(Get32(in, 18));
    const int raw_h = static_cast<int32_t>(Get32(in, 22));
    if (Get16(in, 28) != 24 || Get32(in, 30) != 0 || w <= 0 || raw_h == 0) return std::nullopt;
    const int h = std::abs(raw_h);
    if (data_at + static_cast<uint64_t>(RowBytes(w)) * h > in.size()) return std::nullopt;
    Canvas canvas(w, h);
    for (int row = 0; row < h; ++row) {
        const int y = raw_h > 0 ? h - 1 - row : row;
        const size_t at = data_at + static_cast<size_t>(row) * RowBytes(w);
        for (int x = 0; x < w; ++x) {
            Rgb c{in[at + x * 3 + 2], in[at + x * 3 + 1], in[at + x * 3]};
            if (c == kTransparent)
                canvas.Clear(x, y);
            else
                canvas.Set(x, y, c);
        }
    }
    return canvas;
}
