#include "platform/bmp_header.h"

namespace plat {

namespace {

constexpr uint32_t kCoreHeader = 12;  // the OS/2 form: 16-bit sizes, no compression
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool Refuse(std::string* why, const std::string& text) {
    *why = text;
    return false;
}

}  // namespace

bool BmpHeaderFits(const uint8_t* head, std::size_t headBytes, uint64_t fileBytes, std::string* why) {
    if (headBytes < 18 || head[0] != 'B' || head[1] != 'M') return Refuse(why, "not a BMP picture");
    const uint32_t infoBytes = Le32(head + 14);
    const bool core = infoBytes == kCoreHeader;
    if (!core && (infoBytes < 40 || infoBytes > 1024)) return Refuse(why, "unknown kind of BMP header");
    if (headBytes < 14 + (core ? kCoreHeader : 40)) return Refuse(why, "the BMP header is cut short");

    // Sizes are taken in 64 bits: no product below can overflow.
    // The info header's sizes are signed; the OS/2 header's are not.
    const int64_t width = core ? int64_t{Le16(head + 18)} : int64_t{static_cast<int32_t>(Le32(head + 18))};
    int64_t height = core ? int64_t{Le16(head + 20)} : int64_t{static_cast<int32_t>(Le32(head + 22))};
    if (height < 0) height = -height;  // a negative height is a top-down picture
    const uint32_t bits = core ? Le16(head + 24) : Le16(head + 28);
    const uint32_t compression = core ? kRgb : Le32(head + 30);
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
        return Refuse(why, "a picture of " + std::to_string(width) + " by " + std::to_string(height) +
                               " pixels is outside 1 to " + std::to_string(kMaxPictureSide) + " on a side");
    }
    if (bits == 0 || bits > 32) return Refuse(why, std::to_string(bits) + " bits per pixel");

    // Pixels start at the stated offset, or right after the headers when
    // none is stated.
    const uint64_t offset = Le32(head + 10) != 0 ? Le32(head + 10) : 14u + infoBytes;
    const uint64_t dataBytes = fileBytes > offset ? fileBytes - offset : 0;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
        if (rowBytes * static_cast<uint64_t>(height) > dataBytes) {
            return Refuse(why, "the file is too short for its " + std::to_string(width) + " by " +
                                   std::to_string(height) + " pixels");
        }
        return true;
    }
    if (compression == kRle8 || compression == kRle4) {
        if (static_cast<uint64_t>(width * height) > dataBytes * kMaxPixelsPerCompressedByte) {
            return Refuse(why, "the file is too short for its " + std::to_string(width) + " by " +
                                   std::to_string(height) + " compressed pixels");
        }
        return true;
    }
    return Refuse(why, "compression " + std::to_string(compression) + " is not read");
}

}  // namespace plat
