#include "tools/wav_file.h"


#include <fstream>

#include "tools/little_endian.h"

namespace {
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
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
