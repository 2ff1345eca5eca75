#pragma once
// The check made on a BMP file's headers before any of its pixels is read:
// the picture a file describes must fit a stated limit and the file itself,
// so that a few bytes claiming a huge picture cost nothing.
#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

// No picture the game shows is anywhere near this on a side.
inline constexpr int64_t kMaxPictureSide = 16384;
// A run of a run-length compressed picture carries at most 255 pixels in two
// bytes; a picture may claim this many pixels per byte of compressed data.
inline constexpr int64_t kMaxPixelsPerCompressedByte = 256;
// The file header and the largest part of an info header that is looked at.
inline constexpr std::size_t kBmpHeadBytes = 14 + 40;

// True when a BMP file of fileBytes, whose first headBytes bytes are head
// (kBmpHeadBytes, or the whole file when it is shorter), may be loaded:
// "BM", a known info header, a width and height of 1 to kMaxPictureSide,
// 1 to 32 bits per pixel, and pixel data that the file holds (uncompressed)
// or could hold (run-length compressed). Otherwise false with why set.
bool BmpHeaderFits(const uint8_t* head, std::size_t headBytes, uint64_t fileBytes, std::string* why);

}  // namespace plat
