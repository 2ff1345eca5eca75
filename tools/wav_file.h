#pragma once
// 16-bit PCM RIFF WAVE files: the sound format the game loads.
#include <cstdint>
#include <string>
#include <vector>

// samples are interleaved when channels is 2; false on an I/O error.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate);

struct PcmSound {
    std::vector<int16_t> samples;  // interleaved when channels is 2
    int channels = 0;
    int rate = 0;
};
// Reads a 16-bit PCM WAV, walking its chunks; false on any other file.
bool ReadWav(const std::string& path, PcmSound* sound);
