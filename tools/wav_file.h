#pragma once
// 16-bit PCM RIFF WAVE output.
#include <cstdint>
#include <string>
#include <vector>

// samples are interleaved when channels is 2; false on an I/O error.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate);
