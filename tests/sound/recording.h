#pragma once
// Reads back the WAV file that the headless output recorded (16-bit PCM as
// the mixer made it), for tests that measure what was heard.
#include <gtest/gtest.h>

#include "wav_file.h"

using Recording = WavFile;

// The recording, whose 44-byte header must count exactly the data that follows.
inline Recording ReadRecording(const std::string& path) {
    Recording r = ReadWav(path);
    std::error_code missing;
    EXPECT_EQ(std::filesystem::file_size(path, missing), 44 + 2 * r.samples.size()) << path;
    return r;
}
