// Encodes the generated music WAV into the MP3 the game prefers when both are
// there: variable bit rate at the WAV's own rate and channels, joint stereo,
// no ID3 tag, and a LAME tag in place of the first frame, which tells a
// decoder the encoder's delay and the padding of the last frame so that it
// gives back exactly the WAV's samples (gapless) and the song's restart after
// its end adds no silence of the encoder's.
//   make_music_mp3 <music.wav> <music.mp3>
// The output depends only on the WAV and this program.
#include <lame/lame.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "tools/wav_file.h"

namespace {
// LAME's VBR quality, 0 (best) to 9: at 22050 Hz stereo, 4 gives about
// 70 kbit/s, where the synthesised tune's instruments stay clean.
constexpr float kVbrQuality = 4.0f;

struct LameDeleter {
    void operator()(lame_global_flags* lame) const { lame_close(lame); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool Encode(const PcmSound& wav, std::FILE* out) {
    const std::unique_ptr<lame_global_flags, LameDeleter> lame(lame_init());
    if (!lame) return false;
    lame_set_num_channels(lame.get(), wav.channels);
    lame_set_in_samplerate(lame.get(), wav.rate);
    lame_set_out_samplerate(lame.get(), wav.rate);
    lame_set_mode(lame.get(), wav.channels == 2 ? JOINT_STEREO : MONO);
    lame_set_VBR(lame.get(), vbr_default);
    lame_set_VBR_quality(lame.get(), kVbrQuality);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) < 0) return false;

    const int frames = static_cast<int>(wav.samples.size()) / wav.channels;
    // LAME's own bound on its output for a buffer of frames, and room to flush.
    std::vector<unsigned char> mp3(static_cast<size_t>(frames) * 5 / 4 + 7200);
    std::vector<int16_t> left, right;
    for (int f = 0; f < frames; ++f) {
        left.push_back(wav.samples[static_cast<size_t>(f) * wav.channels]);
        right.push_back(wav.samples[static_cast<size_t>(f) * wav.channels + wav.channels - 1]);
    }
    const int encoded = lame_encode_buffer(lame.get(), left.data(), right.data(), frames, mp3.data(),
                                           static_cast<int>(mp3.size()));
    if (encoded < 0) return false;
    const int flushed = lame_encode_flush(lame.get(), mp3.data() + encoded, static_cast<int>(mp3.size()) - encoded);
    if (flushed < 0) return false;
    const size_t bytes = static_cast<size_t>(encoded + flushed);
    if (std::fwrite(mp3.data(), 1, bytes, out) != bytes) return false;
    // The LAME tag, with the final frame count, delay and padding, over the
    // first frame that was kept free for it.
    lame_mp3_tags_fid(lame.get(), out);
    return std::fflush(out) == 0 && !std::ferror(out);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <music.wav> <music.mp3>\n", argv[0]);
        return 2;
    }
    PcmSound wav;
    if (!ReadWav(argv[1], &wav) || wav.samples.empty()) {
        std::fprintf(stderr, "cannot read %s as a 16-bit PCM WAV\n", argv[1]);
        return 1;
    }
    const std::unique_ptr<std::FILE, FileCloser> out(std::fopen(argv[2], "w+b"));
    if (!out || !Encode(wav, out.get())) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
