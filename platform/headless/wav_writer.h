#pragma once
// Appends 16-bit PCM to a WAV file, keeping the header's sizes up to date
// after every append so that the file is complete whenever it is read.
#include <cstdint>
#include <cstdio>
#include <string>

namespace plat {

class WavWriter {
public:
    ~WavWriter() { Close(); }
    bool Open(const std::string& path, uint32_t rate, uint16_t channels);
    void Append(const int16_t* samples, uint32_t count);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    void WriteHeader();
    std::FILE* file_ = nullptr;
    uint32_t rate_ = 0;
    uint16_t channels_ = 0;
    uint32_t dataBytes_ = 0;
};

}  // namespace plat
