#pragma once
// Builds RIFF WAVE files byte by byte, so that the tests can make exactly the
// well-formed and broken files they need.
#include <cstdint>
#include <string>

namespace wav {

inline std::string U16(uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
inline std::string U32(uint32_t v) { return U16(uint16_t(v & 0xFFFF)) + U16(uint16_t(v >> 16)); }

// A chunk with its header and, for an odd payload, the pad byte.
inline std::string Chunk(const std::string& id, const std::string& payload) {
    std::string chunk = id + U32(uint32_t(payload.size())) + payload;
    if (payload.size() % 2 != 0) chunk += '\0';
    return chunk;
}

// The 16-byte PCM format payload plus the 4 further bytes the reader takes.
inline std::string Fmt(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1) {
    const uint16_t align = uint16_t(channels * bits / 8);
    return Chunk("fmt ", U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) +
                             U16(bits) + U32(0));
}

inline std::string Smpl(uint32_t loops, uint32_t start = 0, uint32_t end = 0, uint32_t count = 0) {
    std::string payload;
    for (int i = 0; i < 7; ++i) payload += U32(0);  // manufacturer .. SMPTE offset
    payload += U32(loops) + U32(0);
    if (loops != 0) payload += U32(0) + U32(0) + U32(start) + U32(end) + U32(0) + U32(count);
    return Chunk("smpl", payload);
}

inline std::string Riff(const std::string& chunks) {
    return "RIFF" + U32(uint32_t(4 + chunks.size())) + "WAVE" + chunks;
}

// 16-bit mono samples all of one value.
inline std::string ConstantPcm16(uint32_t frames, int16_t value) {
    std::string data;
    for (uint32_t i = 0; i < frames; ++i) data += U16(uint16_t(value));
    return data;
}

// A complete 16-bit mono file at 22050 Hz holding frames samples of value.
inline std::string Tone(uint32_t frames, int16_t value = 8000) {
    return Riff(Fmt(1, 22050, 16) + Chunk("data", ConstantPcm16(frames, value)));
}

}  // namespace wav
