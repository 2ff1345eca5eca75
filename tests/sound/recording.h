#pragma once
// Reads back the WAV file that the headless output recorded (16-bit PCM as
// the mixer made it), for tests that measure what was heard.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Recording {
    uint32_t rate = 0;
    uint16_t channels = 0;
    uint16_t bits = 0;
    std::vector<int16_t> samples;
};

inline uint32_t RecordingGet32(const std::string& s, size_t at) {
    return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8 | uint8_t(s[at + 2]) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

inline Recording ReadRecording(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Recording r;
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0) return r;
    r.channels = uint16_t(RecordingGet32(bytes, 22) & 0xFFFF);
    r.rate = RecordingGet32(bytes, 24);
    r.bits = uint16_t(RecordingGet32(bytes, 34) & 0xFFFF);
    const uint32_t dataBytes = RecordingGet32(bytes, 40);
    EXPECT_EQ(dataBytes, bytes.size() - 44);
    r.samples.resize(dataBytes / 2);
    std::memcpy(r.samples.data(), bytes.data() + 44, r.samples.size() * 2);
    return r;
}
