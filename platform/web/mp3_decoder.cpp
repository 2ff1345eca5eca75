// MP3 decoding for the web build (see include/mpg123.h): the browser's
// decodeAudioData turns the whole file into 16-bit PCM when it is opened;
// reads then copy from that. The wait for the decoder yields to the browser.
// The last file decoded is kept: the music is closed and opened again at
// every loop, and decoding it anew would stall the game for half a second.
#include <emscripten.h>
#include <mpg123.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace {
// A block made by the decoder glue: rate, channels, frames, then samples.
using DecodedBlock = std::shared_ptr<const int32_t>;
}  // namespace

struct mpg123_handle_struct {
    DecodedBlock block;  // shared with the kept song and other handles
    const int16_t* pcm = nullptr;
    size_t bytes = 0;
    size_t cursor = 0;
    long rate = 0;
    int channels = 0;
};

namespace {
// The rate the browser resamples to: the mixer's own, so that playing the
// song costs no further conversion.
constexpr int kDecodeRate = 22050;
}  // namespace

// Returns a malloc'd block of three int32 (rate, channels, frames) followed by
// interleaved 16-bit samples, or 0 when the file cannot be read or decoded.
EM_ASYNC_JS(int32_t, reef_decode_mp3, (const char* path, int rate), {
    try {
        const bytes = FS.readFile(UTF8ToString(path));
        const context = new OfflineAudioContext(2, 1, rate);
        const song = await context.decodeAudioData(bytes.slice().buffer);
        const channels = Math.min(song.numberOfChannels, 2);
        const frames = song.length;
        const block = _malloc(12 + frames * channels * 2);
        if (!block) return 0;
        HEAP32[block >> 2] = song.sampleRate;
        HEAP32[(block >> 2) + 1] = channels;
        HEAP32[(block >> 2) + 2] = frames;
        const first = (block + 12) >> 1;
        const data = [];
        for (let c = 0; c < channels; ++c) data.push(song.getChannelData(c));
        // A song's worth of samples in pieces of a few milliseconds, the
        // browser having its turn between them.
        const piece = 32768;
        const turn = () => new Promise((resolve) => {
            const channel = new MessageChannel();
            channel.port1.onmessage = () => resolve();
            channel.port2.postMessage(null);
        });
        for (let start = 0; start < frames; start += piece) {
            const end = Math.min(frames, start + piece);
            for (let c = 0; c < channels; ++c) {
                const from = data[c];
                for (let i = start; i < end; ++i) {
                    const v = Math.max(-1, Math.min(1, from[i]));
                    HEAP16[first + i * channels + c] = Math.round(v * 32767);
                }
            }
            await turn();
        }
        return block;
    } catch (e) {
        return 0;
    }
});

mpg123_handle* mpg123_new(const char*, int* error) {
    if (error != nullptr) *error = MPG123_OK;
    return new (std::nothrow) mpg123_handle_struct;
}

void mpg123_delete(mpg123_handle* handle) {
    mpg123_close(handle);
    delete handle;
}

int mpg123_param(mpg123_handle*, enum mpg123_parms, long, double) { return MPG123_OK; }

namespace {

// The last file decoded, known by its path, size and time of change. Only
// the browser's main thread, where every file is opened, touches it.
struct KeptSong {
    std::string path;
    off_t size = 0;
    timespec changed = {};
    DecodedBlock block;
};
KeptSong g_kept;

DecodedBlock Decode(const char* path) {
    struct stat file = {};
    const bool found = stat(path, &file) == 0;
    if (found && g_kept.block != nullptr && g_kept.path == path && g_kept.size == file.st_size &&
        g_kept.changed.tv_sec == file.st_mtim.tv_sec && g_kept.changed.tv_nsec == file.st_mtim.tv_nsec) {
        return g_kept.block;
    }
    const int32_t address = reef_decode_mp3(path, kDecodeRate);
    if (address == 0) return nullptr;
    DecodedBlock block(reinterpret_cast<const int32_t*>(static_cast<intptr_t>(address)),
                       [](const int32_t* made) { std::free(const_cast<int32_t*>(made)); });
    if (found) g_kept = {path, file.st_size, file.st_mtim, block};
    return block;
}

}  // namespace

int mpg123_open(mpg123_handle* h, const char* path) {
    mpg123_close(h);
    DecodedBlock block = Decode(path);
    if (block == nullptr) return MPG123_ERR;
    const int32_t* head = block.get();
    h->block = std::move(block);
    h->rate = head[0];
    h->channels = head[1];
    h->bytes = static_cast<size_t>(head[2]) * h->channels * 2;
    h->pcm = reinterpret_cast<const int16_t*>(head + 3);
    h->cursor = 0;
    return MPG123_OK;
}

int mpg123_close(mpg123_handle* h) {
    h->block.reset();
    h->pcm = nullptr;
    h->bytes = h->cursor = 0;
    return MPG123_OK;
}

int mpg123_getformat(mpg123_handle* h, long* rate, int* channels, int* encoding) {
    if (h->pcm == nullptr) return MPG123_ERR;
    *rate = h->rate;
    *channels = h->channels;
    *encoding = MPG123_ENC_SIGNED_16;
    return MPG123_OK;
}

int mpg123_format_none(mpg123_handle*) { return MPG123_OK; }

int mpg123_format(mpg123_handle* h, long rate, int channels, int encodings) {
    return rate == h->rate && channels == h->channels && encodings == MPG123_ENC_SIGNED_16 ? MPG123_OK
                                                                                            : MPG123_ERR;
}

off_t mpg123_seek(mpg123_handle* h, off_t sampleOffset, int whence) {
    if (h->pcm == nullptr || whence != SEEK_SET || sampleOffset < 0) return MPG123_ERR;
    h->cursor = std::min(h->bytes, static_cast<size_t>(sampleOffset) * h->channels * 2);
    return sampleOffset;
}

int mpg123_read(mpg123_handle* h, void* out, size_t bytes, size_t* done) {
    const size_t n = std::min(bytes, h->bytes - h->cursor);
    if (n > 0) std::memcpy(out, reinterpret_cast<const uint8_t*>(h->pcm) + h->cursor, n);
    h->cursor += n;
    if (done != nullptr) *done = n;
    return n == 0 ? MPG123_DONE : MPG123_OK;
}
