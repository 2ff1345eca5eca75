#pragma once
// Reads a WAV file back, for tests that look at what was generated or
// recorded: the chunks are walked from offset 12 by their sizes, with a pad
// byte after odd ones, the way the sound library walks them; samples are
// taken as 16-bit.
#include <cstdint>
#include <cstring>
#include <vector>

#include "temp_dir.h"

struct WavFile {
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;
    bool read = false;  // a RIFF WAVE file with a format and a data chunk, none past its end
};

inline WavFile ReadWav(const std::filesystem::path& path) {
    const std::string b = ReadText(path);
    auto get = [&b](size_t at, int bytes) {
        uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + i]);
        return v;
    };
    WavFile wav;
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return wav;
    bool format = false, data = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = get(at + 4, 4);
        if (at + 8 + size > b.size()) return wav;
        if (b.compare(at, 4, "fmt ") == 0 && size >= 16) {
            wav.format = uint16_t(get(at + 8, 2));
            wav.channels = uint16_t(get(at + 10, 2));
            wav.rate = get(at + 12, 4);
            wav.bits = uint16_t(get(at + 22, 2));
            format = true;
        } else if (b.compare(at, 4, "data") == 0) {
            wav.samples.resize(size / 2);
            std::memcpy(wav.samples.data(), b.data() + at + 8, wav.samples.size() * 2);
            data = true;
        }
        at += 8 + size + (size & 1);
    }
    wav.read = format && data;
    return wav;
}
