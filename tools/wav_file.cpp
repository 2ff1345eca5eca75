#include "tools/wav_file.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>

#include "tools/little_endian.h"

namespace {
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}
uint16_t Get16(const std::vector<uint8_t>& in, size_t at) { return in[at] | (in[at + 1] << 8); }
bool IsTag(const std::vector<uint8_t>& in, size_t at, const char* tag) {
    return std::equal(tag, tag + 4, in.begin() + static_cast<std::ptrdiff_t>(at));
}
}  // namespace

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate) {
    const uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);
    const uint32_t block_align = channels * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + data_bytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + data_bytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * block_align);
    Put16(out, block_align);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, data_bytes);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

bool ReadWav(const std::string& path, PcmSound* sound) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (in.size() < 12 || !IsTag(in, 0, "RIFF") || !IsTag(in, 8, "WAVE")) return false;
    bool format = false;
    // Chunks follow one another by their sizes, odd ones padded by a byte.
    for (size_t at = 12; at + 8 <= in.size();) {
        const size_t bytes = Get32(in, at + 4), body = at + 8;
        if (bytes > in.size() - body) return false;
        if (IsTag(in, at, "fmt ") && bytes >= 16) {
            if (Get16(in, body) != 1 || Get16(in, body + 14) != 16) return false;
            sound->channels = Get16(in, body + 2);
            sound->rate = static_cast<int>(Get32(in, body + 4));
            format = sound->channels == 1 || sound->channels == 2;
        } else if (IsTag(in, at, "data") && format) {
            sound->samples.resize(bytes / 2);
            for (size_t i = 0; i < sound->samples.size(); ++i)
                sound->samples[i] = static_cast<int16_t>(Get16(in, body + i * 2));
            return true;
        }
        at = body + bytes + (bytes & 1);
    }
    return false;
}
