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

// An MPEG-1 layer I file, mono at 44.1 kHz (384 kbit/s: frames of 416 bytes,
// 384 samples, about 9 ms each) whose sound changes from frame to frame, so
// that no stretch of it repeats one a ring's length before: two subbands of
// 4-bit samples whose scales and values follow the frame's number.
inline std::string ChangingLayerOneMp3(int frames) {
    std::string file;
    for (int k = 0; k < frames; ++k) {
        std::string frame(416, '\0');
        size_t bit = 0;
        auto put = [&](unsigned value, int bits) {
            for (int b = bits - 1; b >= 0; --b, ++bit) {
                if (value >> b & 1) frame[bit / 8] = char(frame[bit / 8] | 0x80 >> bit % 8);
            }
        };
        put(0xFFFFC0C0, 32);  // the header: layer I, no CRC, 384 kbit/s, 44.1 kHz, mono
        for (unsigned subband = 0; subband < 32; ++subband) put(subband == 0 || subband == 2 ? 3 : 0, 4);
        put(12 + k % 17, 6);
        put(14 + k * 3 % 13, 6);
        for (int s = 0; s < 12; ++s) {
            put((k * 5 + s * 3) % 15, 4);
            put((k + s * 7) % 15, 4);
        }
        file += frame;
    }
    return file;
}
