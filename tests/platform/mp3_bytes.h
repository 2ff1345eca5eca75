#pragma once
// A silent MPEG-1 layer III file: frames of 417 bytes (128 kbit/s, 44.1 kHz,
// mono, 1152 samples, about 26 ms each) whose side information and data are
// all zero.
#include <string>

inline std::string SilentMp3(int frames) {
    std::string frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\xC0';
    std::string file;
    file.reserve(size_t(frames) * frame.size());
    for (int i = 0; i < frames; ++i) file += frame;
    return file;
}
