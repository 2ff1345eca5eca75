#include "platform/headless/wav_writer.h"

#include <cstring>

namespace plat {

namespace {
void Put16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}
void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}
}  // namespace

bool WavWriter::Open(const std::string& path, uint32_t rate, uint16_t channels) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) return false;
    rate_ = rate;
    channels_ = channels;
    dataBytes_ = 0;
    WriteHeader();
    return true;
}

void WavWriter::WriteHeader() {
    uint8_t header[44];
    const uint16_t align = static_cast<uint16_t>(channels_ * 2);
    std::memcpy(header, "RIFF", 4);
    Put32(header + 4, 36 + dataBytes_);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    Put32(header + 16, 16);
    Put16(header + 20, 1);
    Put16(header + 22, channels_);
    Put32(header + 24, rate_);
    Put32(header + 28, rate_ * align);
    Put16(header + 32, align);
    Put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    Put32(header + 40, dataBytes_);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, sizeof header, file_);
    std::fseek(file_, 0, SEEK_END);
}

void WavWriter::Append(const int16_t* samples, uint32_t count) {
    if (file_ == nullptr || count == 0) return;
    // WAV data is little-endian, as are the machines we build for.
    dataBytes_ += static_cast<uint32_t>(std::fwrite(samples, sizeof(int16_t), count, file_)) * 2;
    WriteHeader();
    std::fflush(file_);
}

void WavWriter::Close() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
}

}  // namespace plat
