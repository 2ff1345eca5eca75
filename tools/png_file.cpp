#include "tools/png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool WritePng(const std::string& path, const Canvas& canvas, bool keyIsClear) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    const int channels = keyIsClear ? 4 : 3;
    png_set_IHDR(png, info, canvas.Width(), canvas.Height(), 8,
                 keyIsClear ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(canvas.Width()) * channels);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.At(x, y);
            png_byte* out = &row[static_cast<size_t>(x) * channels];
            out[0] = c.r;
            out[1] = c.g;
            out[2] = c.b;
            if (keyIsClear) out[3] = c == kTransparent ? 0 : 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
