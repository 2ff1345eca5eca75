#include "platform/utf8.h"

namespace plat::utf8 {

namespace {
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

char32_t Decode(std::string_view text, std::size_t pos, std::size_t* length) {
    *length = 1;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return lead;
    std::size_t count;
    char32_t value;
    char32_t smallest;  // below it the form is overlong
    if ((lead & 0xE0) == 0xC0) {
        count = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        count = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        count = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return kReplacement;
    }
    if (text.size() - pos < count) return kReplacement;
    for (std::size_t i = 1; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(byte)) return kReplacement;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
    *length = count;
    return value;
}

void Append(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::size_t PreviousBoundary(std::string_view text, std::size_t pos) {
    if (pos == 0) return 0;
    --pos;
    while (pos > 0 && IsContinuation(static_cast<unsigned char>(text[pos]))) --pos;
    return pos;
}

std::size_t NextBoundary(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    std::size_t length = 1;
    Decode(text, pos, &length);
    return pos + length;
}

std::string Clean(std::string_view text, std::size_t maxBytes) {
    std::string out;
    std::size_t length = 1;
    for (std::size_t pos = 0; pos < text.size(); pos += length) {
        const char32_t c = Decode(text, pos, &length);
        if (c == kReplacement && length == 1) continue;
        if (IsControl(c)) continue;
        if (out.size() + length > maxBytes) break;
        out.append(text.substr(pos, length));
    }
    return out;
}

}  // namespace plat::utf8
